#include "app/windowsettings.h"

#include "app/connectioncontrol.h"
#include "app/editorcommands.h"
#include "app/settingscolour.h"
#include "catalog/listcommands.h"
#include "catalog/namefilter.h"
#include "connection/widgets/connectdialog.h"
#include "core/profilefile.h"
#include "editor/sqledit.h"
#include "results/gridpage.h"
#include "results/valueviewer.h"
#include "widgets/panesplitter.h"
#include "widgets/reportlist.h"
#include "workspace/editorpages.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QMainWindow>

using namespace Qt::Literals::StringLiterals;

namespace quoll::app {

namespace {

// The panes of section Position: key, splitter, default size.
struct Pane
{
    const char *key;
    const char *splitter;
    int size;
};

constexpr Pane Panes[] = {
    {"SplTop", "Splitter2", 130},   {"SplLeft", "Splitter4", 185},  {"SplLeft1", "Splitter6", 120},
    {"SplLeft2", "Splitter7", 120}, {"SplLeft3", "Splitter8", 100}, {"ComboHeight", "Splitter1", 42},
    {"LogHeight", "Splitter10", 70}, {"SplRight", "Splitter5", 52}, {"SplPLeft", "Splitter9", 185},
    {"ButtHeight", "Splitter3", 56},
};

constexpr const char *ListSections[] = {"TableView", "FieldView", "IndexView", "CnstrView", "TriggView", "ProcView"};

// The colour values a list was given from the file, for writing back what
// was read when the user changed nothing.
constexpr const char *TextColourValue = "textColourValue";
constexpr const char *BackgroundValue = "backgroundValue";

constexpr int DefaultColumnWidth = 100;

QString key(const char *name)
{
    return QString::fromLatin1(name);
}

widgets::PaneSplitter *splitter(const QMainWindow &window, const char *name)
{
    return window.findChild<widgets::PaneSplitter *>(key(name));
}

void setColour(widgets::ReportList &list, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = list.palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, role, colour);
    list.setPalette(palette);
}

// `ReadListLook`.
void readListLook(const ProfileFile &file, const QString &section, widgets::ReportList &list)
{
    QFont font = list.font();
    font.setFamily(file.value(section, u"fnName"_s, u"MS Sans Serif"_s));
    list.setFont(font);
    const auto colour = [&](const char *name, quint32 fallback) {
        return SettingsColour::parse(file.value(section, key(name), SettingsColour::text(fallback))).value_or(fallback);
    };
    const quint32 text = colour("fnColor", SettingsColour::WindowText);
    list.setProperty(TextColourValue, text);
    list.setProperty(catalog::ChosenTextColour, QVariant());
    if (const std::optional<QColor> c = SettingsColour::toColor(text, QApplication::palette()))
        setColour(list, QPalette::Text, *c);
    font.setPointSize(std::max(1, file.integer(section, u"fnSize"_s, 8)));
    list.setFont(font);
    const quint32 background = colour("Color", SettingsColour::Window);
    list.setProperty(BackgroundValue, background);
    list.setProperty(catalog::ChosenBackground, QVariant());
    if (const std::optional<QColor> c = SettingsColour::toColor(background, QApplication::palette()))
        setColour(list, QPalette::Base, *c);
    QHeaderView *header = list.horizontalHeader();
    for (int column = 0; column < list.model()->columnCount(); ++column) {
        const int width = file.integer(section, u"ColWide%1"_s.arg(column), DefaultColumnWidth);
        header->resizeSection(column, width < 0 ? DefaultColumnWidth : width);
    }
}

quint32 colourValue(const widgets::ReportList &list, const char *chosen, const char *read, quint32 fallback)
{
    const QVariant picked = list.property(chosen);
    if (picked.isValid())
        return SettingsColour::fromColor(picked.value<QColor>());
    const QVariant stored = list.property(read);
    return stored.isValid() ? stored.value<quint32>() : fallback;
}

// `WriteListLook`.
void writeListLook(ProfileFile &file, const QString &section, const widgets::ReportList &list)
{
    file.setValue(section, u"fnName"_s, list.font().family());
    file.setValue(section, u"fnColor"_s,
                  SettingsColour::text(colourValue(list, catalog::ChosenTextColour, TextColourValue,
                                                   SettingsColour::WindowText)));
    file.setInteger(section, u"fnSize"_s, list.font().pointSize());
    file.setValue(section, u"Color"_s,
                  SettingsColour::text(colourValue(list, catalog::ChosenBackground, BackgroundValue,
                                                   SettingsColour::Window)));
    const QHeaderView *header = list.horizontalHeader();
    for (int column = 0; column < list.model()->columnCount(); ++column)
        file.setInteger(section, u"ColWide%1"_s.arg(column), header->sectionSize(column));
}

QString editorSection(int number)
{
    return u"SQL%1"_s.arg(number);
}

} // namespace

void readSettings(const ProfileFile &file, SettingsParts &parts)
{
    parts.connection.setSavedServerName(file.value(u"Connection"_s, u"ServerName"_s, QString()));
    parts.connection.setSavedDataBaseName(file.value(u"Connection"_s, u"DataBaseName"_s, QString()));

    const QString position = u"Position"_s;
    QMainWindow &window = parts.window;
    window.move(file.integer(position, u"Left"_s, 0), file.integer(position, u"Top"_s, 0));
    window.resize(file.integer(position, u"Width"_s, 550), file.integer(position, u"Height"_s, 450));
    // The normal bounds stay behind the maximized window, for restoring.
    if (file.integer(position, u"Maximized"_s, 0) == 1)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    for (const Pane &pane : Panes)
        if (widgets::PaneSplitter *bar = splitter(window, pane.splitter))
            bar->setPaneSize(file.integer(position, key(pane.key), pane.size));

    parts.grid1.setFontHeight(file.integer(u"Grid1"_s, u"FontHeight"_s, -13));
    parts.grid2.setFontHeight(file.integer(u"Grid2"_s, u"FontHeight"_s, -13));

    for (const auto &[section, box] : {std::pair{u"TableWildCards"_s, &parts.tableWild},
                                       std::pair{u"ProcWildCards"_s, &parts.procWild}}) {
        QStringList history;
        for (int slot = 0; slot < catalog::FilterHistorySlots; ++slot)
            history.append(file.value(section, QString::number(slot), QString()));
        catalog::setFilterHistory(*box, history);
    }

    // Every key, whatever its name, in file order.
    QStringList logins = parts.connectDialog.Logins();
    for (const QString &name : file.keys(u"uLogins"_s))
        logins.append(file.value(u"uLogins"_s, name, QString()));
    parts.connectDialog.setLogins(logins);

    const QString view = u"ViewPosition"_s;
    parts.viewer.setGeometry(file.integer(view, u"Left"_s, 0), file.integer(view, u"Top"_s, 0),
                             file.integer(view, u"Width"_s, 550), file.integer(view, u"Height"_s, 450));
    parts.viewer.setTextFontHeight(file.integer(u"TextView"_s, u"fnHeight"_s, -17));

    for (qsizetype i = 0; i < parts.lists.size() && i < qsizetype(std::size(ListSections)); ++i)
        readListLook(file, key(ListSections[i]), *parts.lists[i]);

    for (int number = 1; number <= workspace::EditorPages::PageCount; ++number)
        EditorCommands::setFontHeight(parts.editors.editor(number),
                                      file.integer(editorSection(number), u"fnHeight"_s, -17));
}

void writeSettings(ProfileFile &file, const SettingsParts &parts)
{
    const QString position = u"Position"_s;
    const QMainWindow &window = parts.window;
    for (const Pane &pane : Panes)
        if (const widgets::PaneSplitter *bar = splitter(window, pane.splitter))
            file.setInteger(position, key(pane.key), bar->paneSize());
    const Qt::WindowStates state = window.windowState();
    file.setInteger(position, u"Maximized"_s, state.testFlag(Qt::WindowMaximized) && !state.testFlag(Qt::WindowMinimized) ? 1 : 0);
    if (!state.testFlag(Qt::WindowMaximized) && !state.testFlag(Qt::WindowMinimized)
        && !state.testFlag(Qt::WindowFullScreen)) {
        file.setInteger(position, u"Left"_s, window.x());
        file.setInteger(position, u"Top"_s, window.y());
        file.setInteger(position, u"Width"_s, window.width());
        file.setInteger(position, u"Height"_s, window.height());
    }

    file.setValue(u"Connection"_s, u"ServerName"_s, parts.connection.savedServerName());
    file.setValue(u"Connection"_s, u"DataBaseName"_s, parts.connection.savedDataBaseName());
    file.setInteger(u"Grid1"_s, u"FontHeight"_s, parts.grid1.fontHeight());
    file.setInteger(u"Grid2"_s, u"FontHeight"_s, parts.grid2.fontHeight());

    for (const auto &[section, box] : {std::pair{u"TableWildCards"_s, &parts.tableWild},
                                       std::pair{u"ProcWildCards"_s, &parts.procWild}}) {
        const QStringList history = catalog::filterHistory(*box);
        for (qsizetype slot = 0; slot < history.size(); ++slot)
            file.setValue(section, QString::number(slot), history[slot]);
    }

    const QStringList logins = parts.connectDialog.Logins();
    for (qsizetype i = 0; i < logins.size(); ++i)
        file.setValue(u"uLogins"_s, QString::number(i), logins[i]);

    const QString view = u"ViewPosition"_s;
    const QRect bounds = parts.viewer.geometry();
    file.setInteger(view, u"Left"_s, bounds.x());
    file.setInteger(view, u"Top"_s, bounds.y());
    file.setInteger(view, u"Width"_s, bounds.width());
    file.setInteger(view, u"Height"_s, bounds.height());
    file.setInteger(u"TextView"_s, u"fnHeight"_s, parts.viewer.textFontHeight());

    for (qsizetype i = 0; i < parts.lists.size() && i < qsizetype(std::size(ListSections)); ++i)
        writeListLook(file, key(ListSections[i]), *parts.lists[i]);

    for (int number = 1; number <= workspace::EditorPages::PageCount; ++number)
        file.setInteger(editorSection(number), u"fnHeight"_s,
                        EditorCommands::fontHeight(parts.editors.editor(number)));
}

} // namespace quoll::app
