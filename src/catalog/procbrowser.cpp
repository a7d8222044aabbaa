#include "catalog/procbrowser.h"

#include "catalog/browserqueries.h"
#include "catalog/catalogpane.h"
#include "catalog/catalogtext.h"
#include "catalog/namefilter.h"
#include "catalog/proclistmodel.h"
#include "catalog/proclistreader.h"
#include "editor/sqledit.h"
#include "widgets/enterkey.h"
#include "widgets/reportlist.h"
#include "widgets/waitcursor.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::catalog {

ProcBrowser::ProcBrowser(Parts parts, QObject *parent) : QObject(parent), m_parts(std::move(parts))
{
    CatalogPane &pane = m_parts.pane;
    const auto refresh = [this] { m_parts.guard([this] { RefreshProcList(); }); };
    connect(pane.findProc(), &QToolButton::clicked, this, refresh);
    widgets::onEnterKey(pane.procWild(), refresh);

    widgets::ReportList *procs = pane.procs();
    connect(procs->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected) {
                if (selected.isEmpty())
                    return;
                const int row = selected.indexes().first().row();
                m_parts.guard([this, row] { lvProcSelectItem(row); });
            });
    connect(procs, &QAbstractItemView::doubleClicked, this, [this, procs] {
        const int row = procs->selectedRow();
        if (row >= 0)
            m_parts.guard([this, row] { m_parts.insertIntoEditor(u' ' + m_parts.procInfos[size_t(row)].name); });
    });
}

void ProcBrowser::RefreshProcList()
{
    QString condition;
    AddNameFilter(*m_parts.pane.procWild(), u"procname"_s, condition);
    ClearProcList();
    const widgets::WaitCursor busy;
    m_parts.procInfos = readProcList(m_parts.database, m_parts.serverMajorVersion(), condition);
    m_parts.pane.procModel()->recordsReset();
}

void ProcBrowser::ClearProcList()
{
    m_parts.procInfos.clear();
    m_parts.pane.procModel()->recordsReset();
    m_parts.pane.procText()->clear();
}

void ProcBrowser::lvProcSelectItem(int row)
{
    if (row < 0 || size_t(row) >= m_parts.procInfos.size())
        return;
    const widgets::WaitCursor busy;
    BrowserQueries &queries = m_parts.queries;
    const QString text = BuildProcText(m_parts.procInfos[size_t(row)], queries.qProcBd(), queries.qProcDc());
    m_parts.pane.procText()->setText(text);
}

} // namespace quoll::catalog
