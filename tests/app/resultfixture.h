#pragma once

#include "sessionfixture.h"

#include "app/commandtable.h"
#include "app/tabledatacontrol.h"
#include "catalog/tablelistmodel.h"
#include "connection/engine/dataset.h"
#include "connection/engine/tabledataset.h"
#include "editor/sqledit.h"
#include "results/gridlink.h"
#include "results/gridpage.h"
#include "widgets/reportlist.h"
#include "widgets/statusbar.h"

#include <QAbstractItemModelTester>
#include <QTableView>

namespace quoll::testing {

// A connected window in database "alpha", which holds t (id, name) with the
// rows (1, 'a'), (2, NULL), (3, 'O''Brien'), and big (i) with 1000 rows.
struct ResultFixture : SessionFixture
{
    bool ready()
    {
        createDatabases({QStringLiteral("alpha")});
        if (!connect())
            return false;
        pickDatabase(QStringLiteral("alpha"));
        connection::Database &db = window->database();
        db.execute(QStringLiteral("create table t (id integer, name varchar(20))"));
        db.execute(QStringLiteral("insert into t values (1, 'a')"));
        db.execute(QStringLiteral("insert into t values (2, null)"));
        db.execute(QStringLiteral("insert into t values (3, 'O''Brien')"));
        db.execute(QStringLiteral("create table big (i integer)"));
        db.startTransaction();
        for (int i = 1; i <= 1000; ++i)
            db.execute(QStringLiteral("insert into big values (%1)").arg(i));
        db.commit();
        return dialogs.messages().isEmpty();
    }

    void trigger(const char *command) const
    {
        idle();
        window->actions()[command]->trigger();
    }

    bool enabled(const char *command) const
    {
        idle();
        return window->actions()[command]->isEnabled();
    }

    // Runs `sql` from the current editor page.
    void run(const QString &sql) const
    {
        window->currentEditor()->setPlainText(sql);
        trigger("acExecute");
    }

    // Puts `names` into the table list and selects `selected`, as the
    // catalog browser would.
    void listTables(const QStringList &names, const QString &selected) const
    {
        probe().tableInfos()->clear();
        for (const QString &name : names) {
            catalog::TableInfo info;
            info.name = name;
            probe().tableInfos()->push_back(info);
        }
        auto *list = find<widgets::ReportList>(QStringLiteral("lvTables"));
        qobject_cast<catalog::TableListModel *>(list->model())->recordsReset();
        selectTable(selected);
    }

    void selectTable(const QString &name) const
    {
        auto *list = find<widgets::ReportList>(QStringLiteral("lvTables"));
        list->clearSelection();
        for (int row = 0; row < list->model()->rowCount(); ++row)
            if (list->model()->index(row, 0).data().toString() == name)
                list->selectRow(row);
    }

    connection::Dataset &result() const { return *probe().resultSet(); }
    connection::TableDataset *data() const { return probe().tableData().dataset(); }
    QTableView *outputGrid() const { return probe().outputPage()->grid(); }
    QTableView *dataGrid() const { return probe().dataPage()->grid(); }
    QString countPanel() const { return probe().statusPanels()->panelText(3); }
};

} // namespace quoll::testing
