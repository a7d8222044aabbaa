#include "editor/sqlhighlighter.h"

#include "editor/sqlscanner.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

using namespace Qt::Literals::StringLiterals;

namespace quoll::editor {

namespace {

LineState fromBlockState(int state)
{
    return state == int(LineState::BlockComment) || state == int(LineState::SingleQuoteString) ? LineState(state)
                                                                                                 : LineState::None;
}

} // namespace

SqlHighlighter::SqlHighlighter(QTextDocument *document, const SqlDialect &dialect)
    : QSyntaxHighlighter(static_cast<QObject *>(document)), m_dialect(dialect)
{
    setObjectName(u"SqlHighlighter1"_s);
    m_idleTimer.setSingleShot(true);
    m_idleTimer.setInterval(0);
    connect(&m_idleTimer, &QTimer::timeout, this, [this] {
        colourSlice(m_idleBudget);
        if (isColouringPending())
            m_idleTimer.start();
        else
            emit colouringFinished();
    });
    // A document emits its changes only once it has a layout.
    document->documentLayout();
    // Connected before the base class attaches to the document, so that each
    // of its passes after an edit starts with a fresh budget.
    m_changeConnection = connect(document, &QTextDocument::contentsChange, this, &SqlHighlighter::onContentsChange);
    setDocument(document);
}

SqlHighlighter::~SqlHighlighter()
{
    // The base class takes its colours off the document on the way out,
    // which is a change this half-destroyed object must not see.
    disconnect(m_changeConnection);
}

void SqlHighlighter::setBudgets(ColouringBudget edit, ColouringBudget idle)
{
    m_editBudget = edit;
    m_idleBudget = idle;
}

LineState SqlHighlighter::stateAfter(const QTextBlock &block)
{
    return block.isValid() ? fromBlockState(block.userState()) : LineState::None;
}

LineState SqlHighlighter::stateBefore(const QTextBlock &block)
{
    return block.isValid() ? stateAfter(block.previous()) : LineState::None;
}

void SqlHighlighter::beginPass(ColouringBudget budget)
{
    m_pass = budget;
    m_passLines = 0;
    m_passExhausted = false;
    m_passClock.start();
}

bool SqlHighlighter::takeLine()
{
    if (m_passExhausted)
        return false;
    if ((m_pass.lines > 0 && m_passLines >= m_pass.lines)
        || (m_pass.milliseconds > 0 && m_passClock.elapsed() >= m_pass.milliseconds)) {
        m_passExhausted = true;
        return false;
    }
    ++m_passLines;
    return true;
}

void SqlHighlighter::highlightBlock(const QString &text)
{
    if (!takeLine()) {
        deferCurrentBlock();
        return;
    }
    const LineState end = scanLine(text, fromBlockState(previousBlockState()), m_tokens);
    for (const Token &token : m_tokens) {
        const QTextCharFormat &format = m_dialect.formatFor(token.kind);
        if (!format.properties().isEmpty())
            setFormat(token.start, token.length, format);
    }
    setCurrentBlockState(int(end));
    m_lastColoured = currentBlock().blockNumber();
}

// Keeps the block's colours and state as they were, so that the base class
// sees no change and goes no further, and remembers it for an idle slice.
void SqlHighlighter::deferCurrentBlock()
{
    const QTextBlock block = currentBlock();
    const QList<QTextLayout::FormatRange> formats = block.layout()->formats();
    for (const QTextLayout::FormatRange &range : formats)
        setFormat(range.start, range.length, range.format);
    setCurrentBlockState(currentBlockState());
    noteDirty(block.position());
}

void SqlHighlighter::noteDirty(int position)
{
    if (m_dirtyFrom < 0 || position < m_dirtyFrom)
        m_dirtyFrom = position;
    m_dirtyTo = std::max(m_dirtyTo, position);
    if (!m_inSlice && !m_idleTimer.isActive())
        m_idleTimer.start();
}

void SqlHighlighter::onContentsChange(int from, int removed, int added)
{
    if (m_dirtyFrom >= 0) {
        const auto shift = [&](int &position) {
            if (position >= from + removed)
                position += added - removed;
            else if (position > from)
                position = from;
        };
        shift(m_dirtyFrom);
        shift(m_dirtyTo);
    }
    // Text added at the end can re-colour only itself, so a moderate amount
    // is coloured at once: it is far cheaper inside the change than later.
    const bool atEnd = document() && from + added >= document()->characterCount() - 1;
    beginPass(atEnd && added <= AppendColouredAtOnce ? ColouringBudget{} : m_editBudget);
}

void SqlHighlighter::colourSlice(ColouringBudget budget)
{
    if (m_dirtyFrom < 0 || !document())
        return;
    const int to = m_dirtyTo;
    QTextBlock block = document()->findBlock(m_dirtyFrom);
    m_dirtyFrom = m_dirtyTo = -1;
    m_inSlice = true;
    emit sliceStarting();
    beginPass(budget);
    while (block.isValid()) {
        m_lastColoured = -1;
        // Colours the block and every following one whose start state changed.
        rehighlightBlock(block);
        if (m_passExhausted)
            break;
        block = document()->findBlockByNumber(m_lastColoured).next();
        if (!block.isValid() || block.position() > to)
            break;
    }
    if (m_dirtyFrom >= 0)
        m_dirtyTo = std::max(m_dirtyTo, to);
    m_inSlice = false;
    emit sliceFinished();
}

void SqlHighlighter::finishColouring()
{
    if (!isColouringPending())
        return;
    while (isColouringPending())
        colourSlice({});
    m_idleTimer.stop();
    emit colouringFinished();
}

} // namespace quoll::editor
