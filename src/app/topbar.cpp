#include "app/topbar.h"

#include "widgets/imagelist.h"
#include "widgets/panesplitter.h"
#include "widgets/popupcombobox.h"
#include "widgets/screenscale.h"

#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quoll::app {

using widgets::PaneSplitter;
using widgets::scaled;

namespace {
constexpr int DefaultBarHeight = 42;
constexpr int MinimumPanelWidth = 10;
} // namespace

TopBar::TopBar(QWidget *parent) : QFrame(parent)
{
    setObjectName(u"Panel2"_s);
    setMinimumHeight(20);
    setFixedHeight(DefaultBarHeight);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(u"ToolBar4"_s);
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(scaled(32), scaled(32)));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    layout->addWidget(m_toolBar);

    m_serverName = addComboPanel(u"Panel8"_s, u"Splitter6"_s, u"cbServerName"_s, u"Server Name"_s, 120);
    m_connect = addButton(u"tbConnect"_s, 0, QString());
    m_connect->setCheckable(true);
    m_dataBaseName = addComboPanel(u"Panel9"_s, u"Splitter7"_s, u"cbDataBaseName"_s, u"DataBase Name"_s, 120);
    m_roleName = addComboPanel(u"Panel10"_s, u"Splitter8"_s, u"cbRoleName"_s, u"Set Role"_s, 100);
    m_beginCommit = addButton(u"tbBeginCommit"_s, 4, u"Начать транзакцию"_s);
    m_rollback = addButton(u"tbRollback"_s, 5, u"Откатить транзакцию"_s);
    m_about = addButton(u"ToolButton28"_s, 7, u"About"_s);

    m_dataBaseName->setEnabled(false);
    m_roleName->setEnabled(false);
    m_beginCommit->setEnabled(false);
    m_rollback->setEnabled(false);
}

widgets::PopupComboBox *TopBar::addComboPanel(const QString &panelName, const QString &splitterName,
                                 const QString &comboName, const QString &hint, int width)
{
    auto *panel = new QWidget(m_toolBar);
    panel->setObjectName(panelName);
    panel->setMinimumWidth(MinimumPanelWidth);
    panel->setFixedWidth(width);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *combo = new widgets::PopupComboBox(panel);
    combo->setObjectName(comboName);
    combo->setToolTip(hint);
    combo->setEditable(false);
    QFont font(u"Arial"_s);
    font.setPixelSize(scaled(18));
    combo->setFont(font);
    combo->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    layout->addWidget(combo, 0, Qt::AlignVCenter);

    auto *splitter = new PaneSplitter(PaneSplitter::Resizes::Width, scaled(4), m_toolBar);
    splitter->setObjectName(splitterName);
    splitter->setPane(panel, PaneSplitter::Side::Before, MinimumPanelWidth);

    m_toolBar->addWidget(panel);
    m_toolBar->addWidget(splitter);
    m_panels[m_panelCount++] = panel;
    return combo;
}

QToolButton *TopBar::addButton(const QString &name, int image, const QString &hint)
{
    auto *button = new QToolButton(m_toolBar);
    button->setObjectName(name);
    button->setIcon(widgets::ImageList::commands().icon(image));
    button->setIconSize(m_toolBar->iconSize());
    button->setFixedSize(scaled(39), scaled(41));
    button->setToolTip(hint);
    button->setAutoRaise(true);
    m_toolBar->addWidget(button);
    return button;
}

} // namespace quoll::app
