#include "editor/sqledit.h"

#include "editor/bookmarkgutter.h"
#include "editor/keybindings.h"
#include "editor/sqlhighlighter.h"
#include "editor/textloader.h"
#include "editor/editorlayout.h"
#include "widgets/screenscale.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolTip>

using namespace Qt::Literals::StringLiterals;

namespace quoll::editor {

namespace {

QString withCrLf(QString text)
{
    // Qt separates paragraphs with U+2029 in selections and '\n' in plain text.
    text.replace(QChar(QChar::ParagraphSeparator), u'\n');
    text.replace(u"\n"_s, u"\r\n"_s);
    return text;
}

QString withSingleBreaks(const QString &text)
{
    QString plain = text;
    plain.replace(u"\r\n"_s, u"\n"_s);
    plain.replace(u'\r', u'\n');
    return plain;
}

bool isTextInput(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers mods = event.modifiers();
    // Ctrl with Alt is how some keyboards type their third-level characters.
    const bool ctrl = mods.testFlag(Qt::ControlModifier);
    const bool alt = mods.testFlag(Qt::AltModifier);
    const bool chord = ctrl != alt || mods.testFlag(Qt::MetaModifier);
    const QString text = event.text();
    return !chord && !text.isEmpty() && text.at(0).isPrint();
}

} // namespace

SqlEdit::SqlEdit(Mode mode, QWidget *parent)
    : SqlEdit(mode == Mode::ReadOnlyPane ? procTextConfiguration() : sqlPageConfiguration(), parent)
{
}

SqlEdit::SqlEdit(const EditorConfiguration &configuration, QWidget *parent)
    : QPlainTextEdit(parent), m_configuration(configuration), m_bookmarks(nullptr)
{
    auto *text = new QTextDocument(this);
    m_layout = new EditorLayout(text);
    text->setDocumentLayout(m_layout);
    setDocument(text);
    m_bookmarks = Bookmarks(text);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_highlighter = new SqlHighlighter(document());
    connect(m_highlighter, &SqlHighlighter::sliceStarting, m_layout, &EditorLayout::beginBatch);
    connect(m_highlighter, &SqlHighlighter::sliceFinished, m_layout, &EditorLayout::endBatch);
    m_loader = new TextLoader(this);
    m_gutter = new BookmarkGutter(this);
    QFont font(m_configuration.fontFamily);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(widgets::scaled(m_configuration.fontPixelHeight));
    setFont(font);
    applyConfiguration();

    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect &rect, int dy) {
        if (dy != 0)
            m_gutter->scroll(0, dy);
        else
            m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (m_columnAnchor)
            updateColumnBlockView();
    });
    connect(verticalScrollBar(), &QScrollBar::sliderMoved, this, [this](int value) {
        if (m_configuration.options.testFlag(EditorOption::ScrollHint))
            QToolTip::showText(QCursor::pos(), u"Строка: %1"_s.arg(value + 1), this);
    });
}

SqlEdit::~SqlEdit() = default;

void SqlEdit::applyConfiguration()
{
    const EditorConfiguration &c = m_configuration;
    setReadOnly(c.readOnly);
    setTabChangesFocus(!c.wantTabs);
    if (c.readOnly) {
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        setUndoRedoEnabled(false);
        setOverwriteMode(false);
    }
    setAcceptDrops(!c.readOnly && c.options.testFlag(EditorOption::DragDropEditing));
    updateMetrics();
}

void SqlEdit::setOptions(EditorOptions options)
{
    m_configuration.options = options;
    applyConfiguration();
}

void SqlEdit::setWantTabs(bool on)
{
    m_configuration.wantTabs = on;
    setTabChangesFocus(!on);
}

void SqlEdit::updateMetrics()
{
    const QFontMetricsF metrics(font());
    setTabStopDistance(metrics.horizontalAdvance(u' ') * m_configuration.tabWidth);
    const bool pastLineEnd = m_configuration.options.testFlag(EditorOption::ScrollPastEndOfLine);
    m_layout->setMinimumWidth(pastLineEnd ? metrics.horizontalAdvance(u'x') * m_configuration.maxScrollWidth
                                                + 2 * document()->documentMargin()
                                          : 0);
    setCursorWidth(m_configuration.options.testFlag(EditorOption::NoCaret) ? 0 : std::max(1, widgets::scaled(1)));
    setViewportMargins(gutterWidth(), 0, 0, 0);
    const QRect box = contentsRect();
    m_gutter->setGeometry(box.left(), box.top(), gutterWidth(), viewport()->height());
}

int SqlEdit::gutterWidth() const
{
    return m_gutter ? m_gutter->preferredWidth() : 0;
}

void SqlEdit::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateMetrics();
}

void SqlEdit::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    updateMetrics();
}

// --- text ------------------------------------------------------------------

QString SqlEdit::text() const
{
    const_cast<SqlEdit *>(this)->finishLoading();
    // The raw text: toPlainText() would turn no-break spaces into spaces.
    QString raw = document()->toRawText();
    raw.replace(QChar(QChar::LineSeparator), QChar(QChar::ParagraphSeparator));
    return withCrLf(std::move(raw));
}

void SqlEdit::setText(const QString &text)
{
    clearColumnBlock();
    m_lineAnchor = -1;
    m_bookmarks.clearAll();
    m_loader->load(text);
}

bool SqlEdit::isLoading() const
{
    return m_loader->isLoading();
}

void SqlEdit::finishLoading()
{
    m_loader->finish();
}

bool SqlEdit::hasSelection() const
{
    if (m_columnAnchor)
        return columnBlock().has_value();
    return textCursor().hasSelection();
}

QString SqlEdit::selectedText() const
{
    // A selection that reaches the end of the loaded part reaches the end of
    // the text.
    const_cast<SqlEdit *>(this)->finishLoading();
    if (m_columnAnchor)
        return withCrLf(columnBlockText());
    return withCrLf(textCursor().selectedText());
}

void SqlEdit::replaceSelection(const QString &text)
{
    finishLoading();
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    if (m_columnAnchor) {
        deleteColumnBlock();
        cursor = textCursor();
    }
    cursor.insertText(withSingleBreaks(text));
    cursor.endEditBlock();
    setTextCursor(cursor);
}

void SqlEdit::deleteSelection()
{
    finishLoading();
    if (m_columnAnchor) {
        deleteColumnBlock();
        return;
    }
    QTextCursor cursor = textCursor();
    cursor.removeSelectedText();
    setTextCursor(cursor);
}

// --- offsets with two-character line breaks ---------------------------------

int SqlEdit::toOffset(int position) const
{
    const QTextBlock block = document()->findBlock(position);
    return position + (block.isValid() ? block.blockNumber() : 0);
}

int SqlEdit::toPosition(int offset) const
{
    // The block holding an offset is the last one whose start offset
    // (position + number) is not beyond it; the offsets grow with the blocks.
    const QTextDocument *doc = document();
    int low = 0;
    int high = doc->blockCount() - 1;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        const QTextBlock block = doc->findBlockByNumber(middle);
        if (block.position() + middle <= offset)
            low = middle;
        else
            high = middle - 1;
    }
    const QTextBlock block = doc->findBlockByNumber(low);
    const int column = std::clamp(offset - (block.position() + low), 0, block.length() - 1);
    return block.position() + column;
}

int SqlEdit::selStart() const
{
    const_cast<SqlEdit *>(this)->finishLoading();
    if (const auto block = columnBlock(); block && m_columnAnchor) {
        const QTextBlock first = document()->findBlockByNumber(block->firstLine);
        return toOffset(first.position() + indexAtColumnOf(first, block->leftColumn));
    }
    return toOffset(textCursor().selectionStart());
}

int SqlEdit::selLength() const
{
    const_cast<SqlEdit *>(this)->finishLoading();
    if (const auto block = columnBlock(); block && m_columnAnchor) {
        const QTextBlock last = document()->findBlockByNumber(block->lastLine);
        return toOffset(last.position() + indexAtColumnOf(last, block->rightColumn)) - selStart();
    }
    const QTextCursor cursor = textCursor();
    return toOffset(cursor.selectionEnd()) - toOffset(cursor.selectionStart());
}

void SqlEdit::setSelection(int start, int length)
{
    finishLoading();
    clearColumnBlock();
    QTextCursor cursor(document());
    cursor.setPosition(toPosition(start));
    cursor.setPosition(toPosition(start + length), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

// --- clipboard and history ----------------------------------------------------

bool SqlEdit::canUndo() const
{
    return !isReadOnly() && document()->isUndoAvailable();
}

bool SqlEdit::canRedo() const
{
    return !isReadOnly() && document()->isRedoAvailable();
}

bool SqlEdit::canPaste() const
{
    return !isReadOnly() && QPlainTextEdit::canPaste();
}

void SqlEdit::copy()
{
    finishLoading();
    if (m_columnAnchor) {
        if (columnBlock())
            QApplication::clipboard()->setText(columnBlockText());
        return;
    }
    QPlainTextEdit::copy();
}

void SqlEdit::cut()
{
    if (isReadOnly())
        return;
    finishLoading();
    if (m_columnAnchor) {
        if (columnBlock()) {
            QApplication::clipboard()->setText(columnBlockText());
            deleteColumnBlock();
        }
        return;
    }
    QPlainTextEdit::cut();
}

void SqlEdit::paste()
{
    if (isReadOnly())
        return;
    finishLoading();
    if (m_columnAnchor)
        deleteColumnBlock();
    QPlainTextEdit::paste();
}

void SqlEdit::SelectAll()
{
    finishLoading();
    setSelectionMode(SelectionMode::Normal);
    selectAll();
}

QColor SqlEdit::background() const
{
    return palette().color(QPalette::Base);
}

void SqlEdit::setBackground(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, colour);
    setPalette(p);
}

void SqlEdit::suspendRepaint()
{
    if (m_repaintSuspended++ == 0)
        viewport()->setUpdatesEnabled(false);
}

void SqlEdit::resumeRepaint()
{
    if (m_repaintSuspended == 0)
        return;
    if (--m_repaintSuspended == 0) {
        viewport()->setUpdatesEnabled(true);
        viewport()->update();
    }
}

// --- events -----------------------------------------------------------------

bool SqlEdit::event(QEvent *event)
{
    // A Tab with Ctrl held is never the control's: the window may use it.
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && (key->modifiers() & Qt::ControlModifier)) {
            key->ignore();
            return false;
        }
    }
    return QPlainTextEdit::event(event);
}

void SqlEdit::keyPressEvent(QKeyEvent *event)
{
    const bool handled = m_keyHandler && m_keyHandler(*event);
    if (handled && !isTextInput(*event)) {
        event->accept();
        return;
    }
    if (const auto bound = handled ? std::nullopt : commandForKey(*event)) {
        runCommand(bound->command, bound->argument);
        event->accept();
        return;
    }
    if (isTextInput(*event)) {
        event->accept();
        if (isReadOnly())
            return;
        finishLoading();
        m_lineAnchor = -1;
        if (!m_columnAnchor) {
            // Left alone, the document merges typed characters into one undo step.
            QPlainTextEdit::keyPressEvent(event);
            return;
        }
        QTextCursor cursor = textCursor();
        cursor.beginEditBlock();
        deleteColumnBlock();
        QPlainTextEdit::keyPressEvent(event);
        cursor.endEditBlock();
        return;
    }
    event->ignore();
}

void SqlEdit::inputMethodEvent(QInputMethodEvent *event)
{
    if (!isReadOnly())
        finishLoading();
    QPlainTextEdit::inputMethodEvent(event);
}

void SqlEdit::mousePressEvent(QMouseEvent *event)
{
    clearColumnBlock();
    m_lineAnchor = -1;
    QPlainTextEdit::mousePressEvent(event);
}

void SqlEdit::dropEvent(QDropEvent *event)
{
    finishLoading();
    QPlainTextEdit::dropEvent(event);
}

bool SqlEdit::canInsertFromMimeData(const QMimeData *source) const
{
    return !isReadOnly() || QPlainTextEdit::canInsertFromMimeData(source);
}

// Qt offers dropped file names as text too; those add nothing.
void SqlEdit::insertFromMimeData(const QMimeData *source)
{
    if (source->hasText() && !source->hasUrls())
        QPlainTextEdit::insertFromMimeData(source);
}

int SqlEdit::rightEdgeX() const
{
    const qreal column = QFontMetricsF(font()).horizontalAdvance(u'x') * m_configuration.rightEdgeColumn;
    return qRound(contentOffset().x() + document()->documentMargin() + column);
}

void SqlEdit::paintEvent(QPaintEvent *event)
{
    QPlainTextEdit::paintEvent(event);
    QPainter painter(viewport());
    painter.setPen(m_configuration.rightEdgeColour);
    const int x = rightEdgeX();
    painter.drawLine(x, event->rect().top(), x, event->rect().bottom());
}

int SqlEdit::visibleLines() const
{
    const qreal lineHeight = QFontMetricsF(font()).lineSpacing();
    return std::max(1, int(viewport()->height() / std::max<qreal>(1, lineHeight)));
}

} // namespace quoll::editor
