#include "app/commandbars.h"

#include "app/commandtable.h"
#include "widgets/flowlayout.h"
#include "widgets/imagelist.h"
#include "widgets/screenscale.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::app {

namespace {

struct BarItem
{
    const char *button;
    const char *command;
};

constexpr BarItem runBarItems[] = {
    {"tbSQLPre", "acUndo"},           {"tbSQLRun", "acExecute"},
    {"tbSQLRunSelected", "acExecuteSelected"}, {"tbSQLNext", "acRedo"},
    {"tbSQLOpen", "acOpenFile"},      {"tbSQLSave", "acSaveFile"},
    {"tbSQLErase", "acErase"},
};

constexpr BarItem resultBarItems[] = {
    {"tbFirstRecord", "acGoToFirstRecord"}, {"tbPrevRecord", "acGoToPriorRecord"},
    {"tbNextRecord", "acGoToNextRecord"},   {"tbLastRecord", "acGoToLastRecord"},
    {"tbRefresh", "acRefresh"},             {"tbExpToHtml", "acExportToHtml"},
    {"tbExpToExcel", "acExportToExcel"},    {"tbExpToXLSFile", "acExportToXLSFile"},
    {"tbGetRecordCount", "acGetRecordCount"}, {"tbFontBigger", "acFontBigger"},
    {"tbFontSmaller", "acFontSmaller"},     {"tbShowViewer", "acShowViewer"},
    {"ToolButton11", nullptr},              {"ToolButton56", "acGenerateSIUD"},
};

constexpr BarItem dataBarItems[] = {
    {"tbExpToHtml1", "acExportToHtml1"},      {"tbExpToExcel1", "acExportToExcel1"},
    {"tbExpToXLSFile1", "acExportToXLSFile1"}, {"tbGetRecordCount1", "acGetRecordCount1"},
    {"tbFontBigger1", "acFontBigger1"},       {"tbFontSmaller1", "acFontSmaller1"},
    {"tbShowViewer1", "acShowViewer1"},       {"ToolButton57", "acGenerateSIUD1"},
};

// A menu entry: a command item, a plain item (wired by the Part that owns
// it), a separator (null name) or the font-step submenu.
struct MenuItem
{
    const char *name;
    const char *command;   // null: a plain item captioned `caption`
    const char *caption;
};

constexpr MenuItem Separator{nullptr, nullptr, nullptr};
constexpr const char *FontStepsSubmenu = "Шрифт +/-";

constexpr MenuItem editorMenuItems[] = {
    {"miUnDo", "acUndo", nullptr}, {"miReDo", "acRedo", nullptr}, Separator,
    {"miCut", "acCutToClipboard", nullptr}, {"miCopy1", "acCopyToClipboard", nullptr},
    {"miPaste", "acPasteFromClipboard", nullptr}, {"miDel", "acDeleteSelection", nullptr}, Separator,
    {"miSelAll", "acSelectAll", nullptr}, Separator,
    {"miDelAll", "acErase", nullptr}, Separator,
    {"miFontSteps", nullptr, FontStepsSubmenu},
    {"N8", "acSelectFont", nullptr}, {"N10", "acSelectBackGround", nullptr},
    {"miOpen", "acOpenFile", nullptr}, {"miSave", "acSaveFile", nullptr}, Separator,
    {"miAddQuot", "acAddQuot", nullptr}, {"miDelQuot", "acDeleteQuot", nullptr},
};

constexpr MenuItem fontStepItems[] = {
    {"N32", nullptr, "+3"}, {"N22", nullptr, "+2"}, {"N11", nullptr, "+1"},
    {"N14", nullptr, "-1"}, {"N21", nullptr, "-2"}, {"N31", nullptr, "-3"},
};

constexpr MenuItem listMenuItems[] = {
    {"N12", nullptr, "Шрифт"}, {"N13", nullptr, "Фон"}, {"N1", nullptr, "Печать"},
    {"N5", nullptr, nullptr},
    {"miShowTrigger", nullptr, "Текст триггера"}, {"miShowView", nullptr, "ViewText"},
};

constexpr MenuItem logMenuItems[] = {
    {"miClear", "acClearLog", nullptr},
    {"miCopy", "acCopyLogToClipboard", nullptr},
};

// A menu item that stands for a command: it shows the command's caption and
// enabled state and runs the command when chosen.
QAction *addCommandItem(QMenu *menu, const QString &name, QAction *command)
{
    auto *item = new QAction(command->text(), menu);
    item->setObjectName(name);
    item->setEnabled(command->isEnabled());
    item->setProperty("command", command->objectName());
    QObject::connect(command, &QAction::changed, item, [item, command] {
        item->setText(command->text());
        item->setEnabled(command->isEnabled());
    });
    QObject::connect(item, &QAction::triggered, command, [command] { command->trigger(); });
    menu->addAction(item);
    return item;
}

QAction *addPlainItem(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *item = menu->addAction(caption);
    item->setObjectName(name);
    return item;
}

void addItems(QMenu *menu, std::span<const MenuItem> items, const ActionList *actions)
{
    for (const MenuItem &m : items) {
        if (!m.caption && !m.command) {
            QAction *separator = menu->addSeparator();
            if (m.name)
                separator->setObjectName(QString::fromLatin1(m.name));
            continue;
        }
        const QString name = QString::fromLatin1(m.name);
        if (m.command) {
            addCommandItem(menu, name, (*actions)[m.command]);
        } else if (m.caption == FontStepsSubmenu) {
            auto *submenu = new QMenu(QString::fromUtf8(m.caption), menu);
            submenu->setObjectName(name);
            addItems(submenu, fontStepItems, actions);
            menu->addMenu(submenu);
        } else {
            addPlainItem(menu, name, QString::fromUtf8(m.caption));
        }
    }
}

QMenu *makeMenu(const QString &name, QWidget *parent)
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(name);
    return menu;
}

} // namespace

QToolButton *makeCommandButton(const QString &name, QAction *action, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    if (action) {
        button->setDefaultAction(action);
        // The button shows the command's hint, and nothing when it has none
        // (the action's own tool tip would fall back to the caption). The
        // button takes the action's tool tip again on every change.
        const QString hint = ActionList::hintOf(action);
        button->setToolTip(hint);
        QObject::connect(action, &QAction::changed, button, [button, hint] { button->setToolTip(hint); });
    }
    return button;
}

QWidget *buildRunBar(const ActionList &actions, QMenu *eraseMenu, QWidget *parent)
{
    auto *bar = new QWidget(parent);
    bar->setObjectName(u"tbRunButs"_s);
    auto *layout = new widgets::FlowLayout(bar);
    const QSize buttonSize(widgets::scaled(39), widgets::scaled(38));
    const QSize iconSize(widgets::scaled(32), widgets::scaled(32));
    for (const BarItem &item : runBarItems) {
        QToolButton *button = makeCommandButton(QString::fromLatin1(item.button), actions[item.command], bar);
        button->setFixedSize(buttonSize);
        button->setIconSize(iconSize);
        layout->addWidget(button);
    }
    auto *erase = bar->findChild<QToolButton *>(u"tbSQLErase"_s);
    erase->setMenu(eraseMenu);
    erase->setPopupMode(QToolButton::MenuButtonPopup);
    return bar;
}

static void fillBar(QToolBar *bar, std::span<const BarItem> items, const ActionList &actions)
{
    const widgets::ImageList images = widgets::ImageList::commands();
    for (const BarItem &item : items) {
        QAction *command = item.command ? actions[item.command] : nullptr;
        QToolButton *button = makeCommandButton(QString::fromLatin1(item.button), command, bar);
        button->setIconSize(bar->iconSize());
        QAction *slot = bar->addWidget(button);
        if (!command) {
            // The delimited-text export button stands hidden in the bar.
            button->setIcon(images.icon(23));
            slot->setVisible(false);
        }
    }
}

void fillResultBar(QToolBar *bar, const ActionList &actions)
{
    fillBar(bar, resultBarItems, actions);
}

void fillDataBar(QToolBar *bar, const ActionList &actions)
{
    fillBar(bar, dataBarItems, actions);
}

QMenu *buildEditorMenu(const ActionList &actions, QWidget *parent)
{
    QMenu *menu = makeMenu(u"pmMenu"_s, parent);
    addItems(menu, editorMenuItems, &actions);
    return menu;
}

QMenu *buildListMenu(QWidget *parent)
{
    QMenu *menu = makeMenu(u"pmLW"_s, parent);
    addItems(menu, listMenuItems, nullptr);
    return menu;
}

QMenu *buildLogMenu(const ActionList &actions, QWidget *parent)
{
    QMenu *menu = makeMenu(u"pmLog"_s, parent);
    addItems(menu, logMenuItems, &actions);
    return menu;
}

} // namespace quoll::app
