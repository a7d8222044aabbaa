#include "catalog/tablebrowser.h"

#include "catalog/browserqueries.h"
#include "catalog/catalogpane.h"
#include "catalog/listsort.h"
#include "catalog/namefilter.h"
#include "catalog/tabledetails.h"
#include "catalog/tablelistmodel.h"
#include "catalog/tablelistreader.h"
#include "connection/engine/database.h"
#include "core/dialogs.h"
#include "widgets/enterkey.h"
#include "widgets/reportlist.h"
#include "widgets/waitcursor.h"

#include <QHeaderView>

using namespace Qt::Literals::StringLiterals;

namespace quoll::catalog {

using widgets::ReportList;
using widgets::ReportListModel;

namespace {

ReportListModel *modelOf(const ReportList *list)
{
    return qobject_cast<ReportListModel *>(list->model());
}

} // namespace

TableBrowser::TableBrowser(Parts parts, QObject *parent) : QObject(parent), m_parts(std::move(parts))
{
    connectWidgets();
}

std::array<ReportList *, 4> TableBrowser::detailLists() const
{
    const CatalogPane &pane = m_parts.pane;
    return {pane.fields(), pane.indexes(), pane.constraints(), pane.triggers()};
}

int TableBrowser::detailSortState(const ReportList *list) const
{
    const auto lists = detailLists();
    for (size_t i = 0; i < lists.size(); ++i)
        if (lists[i] == list)
            return m_detailSortStates[i];
    return 0;
}

void TableBrowser::connectWidgets()
{
    CatalogPane &pane = m_parts.pane;
    const auto guarded = [this](std::function<void()> handler) {
        return [this, handler = std::move(handler)] { m_parts.guard(handler); };
    };
    connect(pane.findTable(), &QToolButton::clicked, this, guarded([this] { RefreshTableList(); }));
    // Enter in the filter box runs the search and goes no further.
    widgets::onEnterKey(pane.tableWild(), guarded([this] { RefreshTableList(); }));

    ReportList *tables = pane.tables();
    connect(tables->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, tables](const QItemSelection &selected) {
                if (selected.isEmpty())
                    return;
                const int row = selected.indexes().first().row();
                m_parts.guard([this, row] { lvTablesSelectItem(row); });
            });
    connect(tables->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { m_parts.guard([this, section] { lvTablesColumnClick(section + 1); }); });
    connect(tables, &QAbstractItemView::doubleClicked, this,
            [this, tables] { m_parts.guard([this, tables] { ListViewDblClick(tables); }); });

    for (ReportList *list : detailLists()) {
        connect(list->horizontalHeader(), &QHeaderView::sectionClicked, this, [this, list](int section) {
            m_parts.guard([this, list, section] { ListViewColumnClick(list, section + 1); });
        });
        connect(list, &QAbstractItemView::doubleClicked, this,
                [this, list] { m_parts.guard([this, list] { ListViewDblClick(list); }); });
    }
}

void TableBrowser::RefreshTableList()
{
    QString condition;
    AddNameFilter(*m_parts.pane.tableWild(), u"tabname"_s, condition);
    ClearTableList();
    const widgets::WaitCursor busy;
    m_parts.tableInfos = readTableList(m_parts.database.engine(), condition);
    m_parts.pane.tableModel()->recordsReset();
}

void TableBrowser::ClearTableList()
{
    m_parts.tableInfos.clear();
    m_parts.tableInfos.shrink_to_fit();
    m_parts.pane.tableModel()->recordsReset();
}

void TableBrowser::lvTablesSelectItem(int row)
{
    if (row < 0 || size_t(row) >= m_parts.tableInfos.size())
        return;
    const int tabid = m_parts.tableInfos[size_t(row)].tabid;
    ClearDetailLists();
    const widgets::WaitCursor busy;
    BrowserQueries &queries = m_parts.queries;
    CatalogPane &pane = m_parts.pane;
    fillColumnList(queries.qFields(), tabid, *modelOf(pane.fields()), m_parts.columnNames, [this] {
        const widgets::NormalCursor normal;
        m_parts.dialogs.message(Dialogs::Icon::Information, u"Quoll"_s, u"colno не подряд"_s);
    });
    fillIndexList(queries.qIndx(), tabid, *modelOf(pane.indexes()), m_parts.columnNames);
    fillConstraintList(queries.qCntr(), tabid, *modelOf(pane.constraints()));
    fillTriggerList(queries.qTrg(), tabid, *modelOf(pane.triggers()));
}

void TableBrowser::ClearDetailLists()
{
    const auto lists = detailLists();
    for (size_t i = 0; i < lists.size(); ++i) {
        ReportListModel *model = modelOf(lists[i]);
        model->clear();
        if (m_detailSortStates[i] != 0)
            model->setSortMark(-1, Qt::AscendingOrder);
        m_detailSortStates[i] = 0;
    }
}

void TableBrowser::lvTablesColumnClick(int column)
{
    if (m_parts.tableInfos.empty())
        return;
    m_tableSortState = nextSortState(m_tableSortState, column);
    TableListModel *model = m_parts.pane.tableModel();
    model->setSortState(m_tableSortState);
    const widgets::WaitCursor busy;
    // The selected row index stays where it is, and the details keep the
    // table shown before.
    model->reorder([this] { sortTableInfos(m_parts.tableInfos, m_tableSortState); });
}

void TableBrowser::ListViewColumnClick(ReportList *list, int column)
{
    ReportListModel *model = modelOf(list);
    if (model->rowCount() == 0)
        return;
    const auto lists = detailLists();
    const auto at = std::find(lists.begin(), lists.end(), list);
    if (at == lists.end())
        return;
    int &sortState = m_detailSortStates[size_t(at - lists.begin())];
    sortState = nextSortState(sortState, column);
    model->setSortMark(column - 1, sortState > 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
    const int text = column - 1;
    const bool descending = sortState < 0;
    model->sortRows([text, descending](const ReportListModel::Row &a, const ReportListModel::Row &b) {
        const int order = compareListTexts(a.texts.value(text), b.texts.value(text));
        return descending ? order > 0 : order < 0;
    });
}

void TableBrowser::ListViewDblClick(ReportList *list)
{
    const int row = list->selectedRow();
    if (row < 0)
        return;
    m_parts.insertIntoEditor(u' ' + list->model()->index(row, 0).data().toString());
}

} // namespace quoll::catalog
