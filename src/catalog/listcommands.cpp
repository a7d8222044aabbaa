#include "catalog/listcommands.h"

#include "catalog/browserqueries.h"
#include "catalog/catalogpane.h"
#include "catalog/catalogtext.h"
#include "catalog/listprint.h"
#include "core/dialogs.h"
#include "core/error.h"
#include "export/desktopfile.h"
#include "export/htmlreport.h"
#include "widgets/reportlist.h"
#include "widgets/waitcursor.h"

#include <QAction>
#include <QMenu>

using namespace Qt::Literals::StringLiterals;

namespace quoll::catalog {

using widgets::ReportList;

ListCommands::ListCommands(Parts parts, QObject *parent) : QObject(parent), m_parts(std::move(parts))
{
    if (!m_parts.openPage)
        m_parts.openPage = exporting::openReportFile;
    const auto on = [this](const char *name, void (ListCommands::*handler)()) {
        connect(item(name), &QAction::triggered, this, [this, handler] { m_parts.guard([this, handler] { (this->*handler)(); }); });
    };
    connect(&m_parts.menu, &QMenu::aboutToShow, this, [this] { m_parts.guard([this] { pmLWPopup(); }); });
    on("N12", &ListCommands::miLWFontClick);
    on("N13", &ListCommands::miLWColorClick);
    on("N1", &ListCommands::miLWprintClick);
    on("miShowTrigger", &ListCommands::miShowTriggerClick);
    on("miShowView", &ListCommands::miShowViewClick);
}

QAction *ListCommands::item(const char *name) const
{
    return m_parts.menu.findChild<QAction *>(QString::fromLatin1(name));
}

ReportList *ListCommands::popupList() const
{
    const QString name = m_parts.menu.property("popupComponent").toString();
    for (ReportList *list : m_parts.pane.lists())
        if (list->objectName() == name)
            return list;
    return nullptr;
}

void ListCommands::pmLWPopup()
{
    const ReportList *list = popupList();
    const CatalogPane &pane = m_parts.pane;
    const bool trigger = list && list == pane.triggers() && list->selectedRow() >= 0;
    bool view = false;
    if (list && list == pane.tables()) {
        const int row = list->selectedRow();
        view = row >= 0 && size_t(row) < m_parts.tableInfos.size() && m_parts.tableInfos[size_t(row)].tabtype == u'V';
    }
    item("miShowTrigger")->setEnabled(trigger);
    item("miShowView")->setEnabled(view);
    for (const char *name : {"N12", "N13", "N1"})
        item(name)->setEnabled(true);
}

// Qt's font dialog has no colour: the text colour is asked right after.
void ListCommands::miLWFontClick()
{
    ReportList *list = popupList();
    if (!list)
        return;
    const std::optional<QFont> font = m_parts.dialogs.font(list->font(), u"Шрифт"_s);
    if (!font)
        return;
    list->setFont(*font);
    QPalette palette = list->palette();
    if (const std::optional<QColor> colour = m_parts.dialogs.colour(palette.color(QPalette::Text), u"Цвет шрифта"_s)) {
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, QPalette::Text, *colour);
        list->setPalette(palette);
        // The settings keep the colour chosen.
        list->setProperty(ChosenTextColour, *colour);
    }
}

void ListCommands::miLWColorClick()
{
    ReportList *list = popupList();
    if (!list)
        return;
    QPalette palette = list->palette();
    if (const std::optional<QColor> colour = m_parts.dialogs.colour(palette.color(QPalette::Base), u"Фон"_s)) {
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, QPalette::Base, *colour);
        list->setPalette(palette);
        list->setProperty(ChosenBackground, *colour);
    }
}

void ListCommands::miLWprintClick()
{
    const ReportList *list = popupList();
    if (!list)
        return;
    QString path;
    try {
        path = exporting::writeReportFile(exporting::htmlBytes(listPageHtml(*list->model())));
    } catch (const Error &e) {
        m_parts.reportFailure(e.message());
        return;
    }
    // The page is there even when the desktop has no program to show it.
    if (!m_parts.openPage(path))
        m_parts.reportFailure(u"Отчёт записан в %1, но показать его нечем"_s.arg(path));
}

void ListCommands::miShowTriggerClick()
{
    const ReportList *triggers = m_parts.pane.triggers();
    const int row = triggers->selectedRow();
    if (row < 0)
        return;
    const int trigid = triggers->model()->index(row, 0).data(Qt::UserRole).toInt();
    const widgets::WaitCursor busy;
    BrowserQueries &queries = m_parts.queries;
    queries.qTrgHd().setParameter(u"trigid"_s, trigid);
    const QString header = ReadCatalogText(queries.qTrgHd());
    queries.qTrgBd().setParameter(u"trigid"_s, trigid);
    const QString body = ReadCatalogText(queries.qTrgBd());
    m_parts.showInViewer(header + body);
}

void ListCommands::miShowViewClick()
{
    const int row = m_parts.pane.tables()->selectedRow();
    if (row < 0 || size_t(row) >= m_parts.tableInfos.size())
        return;
    const TableInfo &record = m_parts.tableInfos[size_t(row)];
    if (record.tabtype != u'V')
        return;
    const widgets::WaitCursor busy;
    connection::Query &qViewBd = m_parts.queries.qViewBd();
    qViewBd.setParameter(u"tabid"_s, record.tabid);
    m_parts.showInViewer(ReadCatalogText(qViewBd));
}

} // namespace quoll::catalog
