#include "results/navigatorlink.h"

#include "connection/engine/tabledataset.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::results {

using connection::TableDataset;

NavigatorLink::NavigatorLink(DBNavigator *navigator, Guard guard, Confirm confirm, QObject *parent)
    : QObject(parent), m_navigator(navigator), m_guard(std::move(guard)), m_confirm(std::move(confirm))
{
    connect(m_navigator, &DBNavigator::clicked, this, &NavigatorLink::clicked);
    updateButtons();
}

void NavigatorLink::setDataset(TableDataset *dataset)
{
    if (m_dataset)
        m_dataset->disconnect(this);
    m_dataset = dataset;
    if (dataset) {
        connect(dataset, &TableDataset::reset, this, &NavigatorLink::updateButtons);
        connect(dataset, &TableDataset::currentChanged, this, &NavigatorLink::updateButtons);
        connect(dataset, &TableDataset::rowsFetched, this, &NavigatorLink::updateButtons);
        connect(dataset, &TableDataset::rowInserted, this, &NavigatorLink::updateButtons);
        connect(dataset, &TableDataset::rowRemoved, this, &NavigatorLink::updateButtons);
        connect(dataset, &TableDataset::stateChanged, this, &NavigatorLink::updateButtons);
        connect(dataset, &QObject::destroyed, this, &NavigatorLink::updateButtons);
    }
    updateButtons();
}

void NavigatorLink::updateButtons()
{
    const TableDataset *set = m_dataset;
    const bool active = set && set->isActive();
    const bool browsing = active && set->state() == TableDataset::State::Browse;
    const bool editing = active && !browsing;
    const auto enable = [this](DBNavigator::Button which, bool on) { m_navigator->button(which)->setEnabled(on); };
    enable(DBNavigator::First, active && !set->atBeginning());
    enable(DBNavigator::Prior, active && !set->atBeginning());
    enable(DBNavigator::Next, active && !set->atEnd());
    enable(DBNavigator::Last, active && !set->atEnd());
    enable(DBNavigator::Insert, active);
    enable(DBNavigator::Delete, active && !set->isEmpty());
    enable(DBNavigator::Edit, browsing && !set->isEmpty());
    enable(DBNavigator::Post, editing);
    enable(DBNavigator::Cancel, editing);
    enable(DBNavigator::Refresh, active);
}

void NavigatorLink::clicked(DBNavigator::Button which)
{
    TableDataset *set = m_dataset;
    if (!set || !set->isActive())
        return;
    m_guard([&] {
        switch (which) {
        case DBNavigator::First:
            set->first();
            break;
        case DBNavigator::Prior:
            set->prior();
            break;
        case DBNavigator::Next:
            set->next();
            break;
        case DBNavigator::Last:
            set->last();
            break;
        case DBNavigator::Insert:
            set->insert();
            break;
        case DBNavigator::Delete:
            if (m_confirm(u"Delete record?"_s))
                set->remove();
            break;
        case DBNavigator::Edit:
            set->edit();
            break;
        case DBNavigator::Post:
            set->post();
            break;
        case DBNavigator::Cancel:
            set->cancel();
            break;
        case DBNavigator::Refresh:
            set->refresh();
            break;
        case DBNavigator::ButtonCount:
            break;
        }
    });
    updateButtons();
}

} // namespace quoll::results
