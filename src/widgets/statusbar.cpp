#include "widgets/statusbar.h"

#include <QApplication>

namespace quoll::widgets {

StatusBar::StatusBar(const QList<Panel> &panels, QWidget *parent) : QStatusBar(parent)
{
    setSizeGripEnabled(true);
    // The panels draw their own frames; the style's frame around each item
    // would bevel the panel that must have none.
    setStyleSheet(QStringLiteral("QStatusBar::item { border: none; }"));
    for (qsizetype i = 0; i < panels.size(); ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        label->setFrameStyle(panels[i].bevel ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
        label->setIndent(2);
        label->setTextFormat(Qt::PlainText);
        const bool last = i == panels.size() - 1;
        if (last) {
            label->setMinimumWidth(panels[i].width);
            addWidget(label, 1);
        } else {
            label->setFixedWidth(panels[i].width);
            addWidget(label, 0);
        }
        m_panels.append(label);
    }
    setAutoFillBackground(true);
}

QString StatusBar::panelText(int index) const
{
    const QLabel *label = m_panels.value(index);
    return label ? label->text() : QString();
}

void StatusBar::setPanelText(int index, const QString &text)
{
    if (QLabel *label = m_panels.value(index))
        label->setText(text);
}

void StatusBar::setAlarm(bool on)
{
    m_alarm = on;
    QPalette p = QApplication::palette(this);
    p.setColor(QPalette::Window, on ? QColor(Qt::red) : p.color(QPalette::Button));
    setPalette(p);
}

} // namespace quoll::widgets
