#pragma once

#include "editor/sqldialect.h"
#include "editor/sqltoken.h"

#include <QElapsedTimer>
#include <QSyntaxHighlighter>
#include <QTimer>

#include <vector>

namespace quoll::editor {

// How much colouring one pass may do before the rest waits for idle time.
// Zero means no limit of that kind.
struct ColouringBudget
{
    int lines = 0;
    int milliseconds = 0;
};

// Colours one editor's document with the shared SQL dialect. The state a
// line leaves open (block comment, single-quoted string) is kept as the
// block state, so a line is coloured from the state of the line above.
//
// A pass that runs out of its budget leaves the remaining lines as they
// were and remembers them; they are coloured in slices from a zero timer,
// so a change that re-colours half a large text (opening a comment near its
// top) or a large load never blocks input for long.
class SqlHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    // Text up to this many characters added at the end of the document is
    // coloured in the pass of that change, whatever the edit budget.
    static constexpr int AppendColouredAtOnce = 256 * 1024;

    explicit SqlHighlighter(QTextDocument *document, const SqlDialect &dialect = SqlDialect::standard());
    ~SqlHighlighter() override;

    const SqlDialect &dialect() const { return m_dialect; }

    // Budgets for the pass that follows an edit and for each idle slice.
    void setBudgets(ColouringBudget edit, ColouringBudget idle);

    // Whether some lines still wait for their colours.
    bool isColouringPending() const { return m_dirtyFrom >= 0; }
    // Colours every waiting line now.
    void finishColouring();

    // The state the line of `block` leaves for the next line, as coloured.
    static LineState stateAfter(const QTextBlock &block);
    // The state a line starts in: what the line above left.
    static LineState stateBefore(const QTextBlock &block);

signals:
    // Every line has its colours.
    void colouringFinished();
    // Around each slice of background colouring, which changes colours only.
    void sliceStarting();
    void sliceFinished();

protected:
    void highlightBlock(const QString &text) override;

private:
    void beginPass(ColouringBudget budget);
    bool takeLine();
    void deferCurrentBlock();
    void noteDirty(int position);
    void onContentsChange(int from, int removed, int added);
    void colourSlice(ColouringBudget budget);

    const SqlDialect &m_dialect;
    std::vector<Token> m_tokens;

    ColouringBudget m_editBudget{0, 3};
    ColouringBudget m_idleBudget{0, 8};
    ColouringBudget m_pass;
    int m_passLines = 0;
    bool m_passExhausted = false;
    QElapsedTimer m_passClock;

    // Document positions of the first and last block left waiting, -1 when
    // everything is coloured; every block between them is coloured again.
    int m_dirtyFrom = -1;
    int m_dirtyTo = -1;
    int m_lastColoured = -1;   // block number, during a slice
    bool m_inSlice = false;
    QTimer m_idleTimer;
    QMetaObject::Connection m_changeConnection;
};

} // namespace quoll::editor
