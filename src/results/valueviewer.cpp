#include "results/valueviewer.h"

#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quoll::results {

namespace {
constexpr int DefaultTextFontHeight = -17;
}

ValueViewer::ValueViewer()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(u"fmView"_s);
    // A window of its own, but never one that keeps the program running once
    // the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(u"Расширеный просмотр"_s);
    setGeometry(0, 0, 550, 450);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(u"mmTextView"_s);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(u"Courier New"_s);
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(-DefaultTextFontHeight);
    m_text->setFont(font);
    layout->addWidget(m_text);
}

int ValueViewer::textFontHeight() const
{
    return -m_text->font().pixelSize();
}

void ValueViewer::setTextFontHeight(int height)
{
    QFont font = m_text->font();
    font.setPixelSize(std::max(1, std::abs(height)));
    m_text->setFont(font);
}

void ValueViewer::showInViewer(const QString &text)
{
    m_text->setPlainText(text);
    if (!isVisible())
        show();
}

} // namespace quoll::results
