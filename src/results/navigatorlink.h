#pragma once

#include "results/datasetmodel.h"
#include "results/dbnavigator.h"

#include "connection/engine/tabledataset.h"

#include <QObject>
#include <QPointer>

namespace quoll::connection {
class TableDataset;
}

namespace quoll::results {

// Drives a record navigator from a table data set: each button is enabled
// when its action can act (first and prior away from the first row, next
// and last away from the end, edit and delete on a row, post and cancel
// while editing), and a click runs the action. Delete asks first.
class NavigatorLink : public QObject
{
    Q_OBJECT

public:
    // Asks the user a yes-or-no question; true for yes.
    using Confirm = std::function<bool(const QString &question)>;

    NavigatorLink(DBNavigator *navigator, Guard guard, Confirm confirm, QObject *parent = nullptr);

    void setDataset(connection::TableDataset *dataset);
    // Sets every button's enabled state from the data set.
    void updateButtons();

private:
    void clicked(DBNavigator::Button which);

    DBNavigator *m_navigator;
    Guard m_guard;
    Confirm m_confirm;
    QPointer<connection::TableDataset> m_dataset;
};

} // namespace quoll::results
