#pragma once

#include <QComboBox>
#include <QFrame>
#include <QToolBar>
#include <QToolButton>

namespace quoll::widgets {
class PaneSplitter;
class PopupComboBox;
} // namespace quoll::widgets

namespace quoll::app {

// The top bar `Panel2`: one flat tool bar `ToolBar4` holding the server,
// database and role pickers in resizable panels, the connect button, the
// transaction buttons and the about button.
class TopBar : public QFrame
{
    Q_OBJECT

public:
    explicit TopBar(QWidget *parent = nullptr);

    QToolBar *toolBar() const { return m_toolBar; }
    QComboBox *serverName() const { return m_serverName; }
    QComboBox *dataBaseName() const { return m_dataBaseName; }
    // Opening its list refills it with the granted roles.
    widgets::PopupComboBox *roleName() const { return m_roleName; }
    QToolButton *connectButton() const { return m_connect; }
    QToolButton *beginCommitButton() const { return m_beginCommit; }
    QToolButton *rollbackButton() const { return m_rollback; }
    QToolButton *aboutButton() const { return m_about; }

    // The three combo panels `Panel8`, `Panel9`, `Panel10`.
    QWidget *comboPanel(int index) const { return m_panels[index]; }

private:
    widgets::PopupComboBox *addComboPanel(const QString &panel, const QString &splitter, const QString &combo,
                             const QString &hint, int width);
    QToolButton *addButton(const QString &name, int image, const QString &hint);

    QToolBar *m_toolBar;
    QWidget *m_panels[3] = {};
    int m_panelCount = 0;
    QComboBox *m_serverName = nullptr;
    QComboBox *m_dataBaseName = nullptr;
    widgets::PopupComboBox *m_roleName = nullptr;
    QToolButton *m_connect = nullptr;
    QToolButton *m_beginCommit = nullptr;
    QToolButton *m_rollback = nullptr;
    QToolButton *m_about = nullptr;
};

} // namespace quoll::app
