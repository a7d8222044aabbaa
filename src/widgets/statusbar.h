#pragma once

#include <QLabel>
#include <QList>
#include <QStatusBar>

namespace quoll::widgets {

// The main window's status bar: a row of text panels of fixed widths, the
// last one taking what width is left. The whole bar can turn red to signal
// a failure and return to the normal button-face colour.
class StatusBar : public QStatusBar
{
    Q_OBJECT

public:
    struct Panel
    {
        int width;
        bool bevel;
    };

    StatusBar(const QList<Panel> &panels, QWidget *parent = nullptr);

    int panelCount() const { return int(m_panels.size()); }
    QLabel *panel(int index) const { return m_panels.value(index); }
    QString panelText(int index) const;
    void setPanelText(int index, const QString &text);

    void setAlarm(bool on);
    bool isAlarm() const { return m_alarm; }

private:
    QList<QLabel *> m_panels;
    bool m_alarm = false;
};

} // namespace quoll::widgets
