#pragma once

#include "embeddedfixture.h"
#include "scripteddialogs.h"

#include "catalog/browserqueries.h"
#include "catalog/catalogpane.h"
#include "catalog/listcommands.h"
#include "catalog/tablebrowser.h"
#include "catalog/tablelistmodel.h"
#include "connection/engine/engineerror.h"
#include "core/error.h"
#include "widgets/reportlist.h"

#include <QMenu>
#include <QTest>

namespace quoll::testing {

// The catalog pane over an embedded server, driven as the main window
// drives it; failures are kept as the error handler would show them.
struct BrowserFixture
{
    EmbeddedFixture server;
    catalog::CatalogPane pane;
    catalog::BrowserQueries queries{server.database};
    catalog::TableInfoList tableInfos;
    QStringList columnNames;
    ScriptedDialogs dialogs;
    QStringList errors;
    QStringList inserted;
    QStringList viewed;          // texts handed to the value viewer
    QStringList opened;          // pages handed to the desktop
    QStringList failures;        // said in the status bar
    bool canOpen = true;         // whether the desktop shows pages
    QMenu menu;                  // pmLW, as the window builds it
    std::unique_ptr<catalog::TableBrowser> browser;
    std::unique_ptr<catalog::ListCommands> commands;

    BrowserFixture()
    {
        pane.tableModel()->setRecords(&tableInfos);
        browser = std::make_unique<catalog::TableBrowser>(catalog::TableBrowser::Parts{
            pane, server.database, queries, tableInfos, columnNames, dialogs, guard(),
            [this](const QString &text) { inserted.append(text); }});
        for (const char *name : {"N12", "N13", "N1", "miShowTrigger", "miShowView"})
            menu.addAction(QString::fromLatin1(name))->setObjectName(QString::fromLatin1(name));
        commands = std::make_unique<catalog::ListCommands>(catalog::ListCommands::Parts{
            pane, menu, queries, tableInfos, dialogs, guard(),
            [this](const QString &text) { viewed.append(text); },
            [this](const QString &message) { failures.append(message); },
            [this](const QString &path) {
                opened.append(path);
                return canOpen;
            }});
        pane.tableWild()->setEnabled(true);
        pane.findTable()->setEnabled(true);
    }
    ~BrowserFixture() { queries.unprepareAll(); }

    // Database "shop": customer; every_type with a column of most types,
    // defaults of every kind, a primary key, unique, reference, check and
    // not-null constraint, an index with a descending part and a trigger;
    // the view v_every; the plain tables orders, order_lines, Zeta, alpha.
    void makeShop()
    {
        EmbeddedFixture &s = server;
        s.useNewDatabase(QStringLiteral("shop"));
        s.run(QStringLiteral("create table customer (id serial primary key constraint pk_customer, name char(20) not null)"));
        s.run(QStringLiteral("create table every_type (id integer not null, c char(20) default 'abc def', si smallint default 5, "
              "fl float, sf smallfloat, de decimal(16,2) default 1.5, da date default today, mo money(8,2), "
              "dt datetime year to second default current year to second, iv interval day(3) to second, "
              "by byte, tx text, vc varchar(30,5) default user, i8 int8 default null, nc nchar(10), "
              "host char(18) default dbservername, cust integer, "
              "primary key (id) constraint pk_every, unique (c) constraint u_every_c, "
              "foreign key (cust) references customer constraint fk_every_cust, "
              "check (si > 0) constraint ck_every_si)"));
        s.run(QStringLiteral("create index ix_every on every_type (si, de desc)"));
        s.run(QStringLiteral("create trigger tr_every insert on every_type referencing new as n for each row "
              "(update customer set name = 'x' where id = n.cust)"));
        s.run(QStringLiteral("create view v_every (id, c) as select id, c from every_type"));
        for (const QString &name : {QStringLiteral("orders"), QStringLiteral("order_lines"), QStringLiteral("Zeta"), QStringLiteral("alpha")})
            s.run(QStringLiteral("create table %1 (a integer)").arg(name));
    }

    // Runs a handler as the error handler would, keeping the message.
    std::function<bool(const std::function<void()> &)> guard()
    {
        return [this](const std::function<void()> &handler) {
            try {
                handler();
                return true;
            } catch (const connection::EngineError &e) {
                errors.append(e.message());
            } catch (const Error &e) {
                errors.append(e.message());
            }
            return false;
        };
    }

    // Opens pmLW on `list` as a right click there does.
    void popupOn(widgets::ReportList *list)
    {
        menu.setProperty("popupComponent", list->objectName());
        emit menu.aboutToShow();
    }

    // Types `filter` into the box and presses Enter there (the box takes
    // the keys of its line edit).
    void search(const QString &filter)
    {
        pane.tableWild()->setEditText(filter);
        QTest::keyClick(pane.tableWild(), Qt::Key_Return);
    }
    QStringList tableNames() const
    {
        QStringList names;
        for (const catalog::TableInfo &info : tableInfos)
            names.append(info.name);
        return names;
    }
    int rowOf(const QString &name) const { return int(tableNames().indexOf(name)); }
    void select(const QString &name) { pane.tables()->selectRow(rowOf(name)); }

    // A list's rows as "text|text|...", with "[icon]" first when asked.
    static QStringList rows(const widgets::ReportList *list, bool icons = false)
    {
        QStringList out;
        const auto *model = qobject_cast<const widgets::ReportListModel *>(list->model());
        for (int r = 0; r < model->rowCount(); ++r) {
            QString line = icons ? QStringLiteral("[%1]").arg(model->row(r).icon) : QString();
            line += model->row(r).texts.join(u'|');
            out.append(line);
        }
        return out;
    }
};


} // namespace quoll::testing
