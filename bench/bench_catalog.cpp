#include "benchmark.h"

#include "catalog/browserqueries.h"
#include "catalog/catalogpane.h"
#include "catalog/catalogqueries.h"
#include "catalog/tablebrowser.h"
#include "catalog/tablelistmodel.h"
#include "catalog/typeahead.h"
#include "connection/embedded/server/embeddedengine.h"
#include "connection/engine/database.h"
#include "connection/engine/query.h"
#include "core/dialogs.h"
#include "widgets/reportlist.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>

namespace quoll::bench {

namespace {

constexpr int CatalogTables = 200'000;

// Answers nothing: the browser asks no questions of a well-formed catalog.
class SilentDialogs : public Dialogs
{
public:
    void message(Icon, const QString &, const QString &) override {}
    Button question(const QString &, const QString &, Buttons, Button defaultButton) override { return defaultButton; }
    std::optional<QString> openFileName(const FileRequest &) override { return std::nullopt; }
    std::optional<QString> saveFileName(const FileRequest &) override { return std::nullopt; }
    std::optional<QFont> font(const QFont &, const QString &) override { return std::nullopt; }
    std::optional<QColor> colour(const QColor &, const QString &) override { return std::nullopt; }
    int exec(QDialog &) override { return 0; }
};

class Discard : public connection::RowSink
{
public:
    void addField(const char *, std::size_t) override {}
    void addNull() override {}
};

// A database whose catalog lists 200,000 tables and views under a few
// owners (the catalog rows only: what the list reads), and one real table
// of 100 columns, 10 indexes, 10 constraints and 5 triggers.
std::unique_ptr<connection::Database> bigCatalog(const Options &options)
{
    const QString folder = QDir(options.workFolder).filePath(QStringLiteral("catalogsrv"));
    auto database = std::make_unique<connection::Database>(std::make_unique<connection::embedded::EmbeddedEngine>(
        connection::embedded::EmbeddedServer(QStringLiteral("catalogsrv"), folder)));
    database->parameters().setValue(QStringLiteral("DATABASE NAME"), QStringLiteral("sysmaster"));
    database->open();
    database->execute(QStringLiteral("create database wide with log"));
    database->execute(QStringLiteral(
        "with recursive n(x) as (select 1 union all select x + 1 from n where x < %1) "
        "insert into systables (tabname, owner, partnum, tabid, rowsize, ncols, nindexes, nrows, created, version, "
        "tabtype, locklevel, npused, fextsize, nextsize, flags, type_xid, am_id, pagesize) "
        "select printf('%s_%06d', case x % 7 when 0 then 'acct' when 1 then 'Cust' when 2 then 'ledger' "
        "when 3 then 'order' when 4 then 'stock' when 5 then 'tmp' else 'work' end, x), "
        "case x % 5 when 0 then 'informix' when 1 then 'anna' when 2 then 'Bob' when 3 then 'carl' else 'dba' end, "
        "0, 1000 + x, 20 + x % 977, 1 + x % 60, x % 8, (x * 37) % 100000, 44000 + x % 2500, 1, "
        "case when x % 10 = 0 then 'V' else 'T' end, case when x % 3 = 0 then 'R' else 'P' end, "
        "0, 16, 16, 0, 0, 0, 2048 from n")
                          .arg(CatalogTables));
    QStringList columns;
    for (int i = 1; i <= 100; ++i) {
        static const char *types[] = {"integer", "char(20)", "decimal(12,2)", "date", "varchar(40)",
                                      "datetime year to second", "smallint", "money(8,2)", "float", "int8"};
        QString column = QStringLiteral("c%1 %2").arg(i).arg(QLatin1String(types[i % 10]));
        if (i % 9 == 0)
            column += QStringLiteral(" default null");
        if (i % 13 == 0)
            column += QStringLiteral(" not null");
        columns.append(column);
    }
    database->execute(QStringLiteral("create table parent_t (id integer primary key)"));
    database->execute(QStringLiteral(
                          "create table rich (%1, primary key (c10), unique (c20), unique (c30, c40), "
                          "foreign key (c50) references parent_t, foreign key (c60) references parent_t, "
                          "check (c1 > 0), check (c11 >= 0), check (c21 < 1000), check (c31 <> 5), "
                          "check (c41 > -1))")
                          .arg(columns.join(QStringLiteral(", "))));
    for (int i = 1; i <= 10; ++i)
        database->execute(QStringLiteral("create index ix_rich_%1 on rich (c%2, c%3 desc)").arg(i).arg(i + 1).arg(i + 71));
    for (int i = 1; i <= 5; ++i)
        database->execute(QStringLiteral("create trigger tr_rich_%1 insert on rich referencing new as n for each "
                                         "row (insert into parent_t values (n.c10 + %1))")
                              .arg(i));
    return database;
}

std::vector<Figure> catalogBenchmark(const Options &options)
{
    std::unique_ptr<connection::Database> database = bigCatalog(options);
    SilentDialogs dialogs;
    catalog::CatalogPane pane;
    pane.resize(1000, 700);
    pane.show();
    catalog::BrowserQueries queries(*database);
    queries.prepareAll();
    catalog::TableInfoList tableInfos;
    QStringList columnNames;
    pane.tableModel()->setRecords(&tableInfos);
    catalog::TableBrowser browser({pane, *database, queries, tableInfos, columnNames, dialogs,
                                   [](const std::function<void()> &handler) {
                                       handler();
                                       return true;
                                   },
                                   [](const QString &) {}});
    widgets::ReportList *tables = pane.tables();
    const auto paint = [&pane] {
        for (widgets::ReportList *list : pane.lists())
            list->viewport()->repaint();
    };
    std::vector<Figure> figures;

    // The unfiltered refresh: query, records, list shown and painted.
    pane.tableWild()->setEditText(QString());
    const double refresh = bestOf(options.repeat, [&] {
        browser.RefreshTableList();
        paint();
    });
    const double serverList = bestOf(options.repeat, [&] {
        const auto statement = database->engine().prepare(catalog::tableListQuery(QString()));
        const auto cursor = statement->execute();
        Discard discard;
        while (cursor->fetch(discard)) {
        }
    });
    const qint64 rows = qint64(tableInfos.size());
    std::size_t bytes = 0;
    for (const catalog::TableInfo &info : tableInfos)
        bytes += sizeof(catalog::TableInfo) + sizeof(QChar) * std::size_t(info.name.capacity() + 1) + 24;
    figures.push_back({QStringLiteral("refresh the table list of %1 entries, shown and painted").arg(rows), refresh,
                       serverList,
                       QStringLiteral("%1 bytes per record (name shared by nothing, owners shared)")
                           .arg(rows ? double(bytes) / double(rows) : 0.0, 0, 'f', 1),
                       QStringLiteral("server alone")});

    // Sorting: by name (collation keys), by owner, by a number.
    for (const auto &[column, what] : {std::pair{1, "name"}, std::pair{2, "owner"}, std::pair{5, "nrows"}}) {
        const double sort = bestOf(options.repeat, [&] {
            browser.lvTablesColumnClick(column);
            paint();
        });
        figures.push_back({QStringLiteral("sort the list by %1 (one column click)").arg(QLatin1String(what)), sort,
                           std::nullopt, {}});
    }

    // Type-ahead over the whole list: a prefix no table has.
    int found = 0;
    const double find = bestOf(options.repeat, [&] {
        found = catalog::findByNamePrefix(tableInfos, QStringLiteral("zz"), 0, true);
    });
    const double viewFind = bestOf(options.repeat, [&] {
        tables->keyboardSearch(QString());
        tables->keyboardSearch(QStringLiteral("ZZ"));
    });
    figures.push_back({QStringLiteral("type-ahead find over the whole list, no match (%1)").arg(found), find,
                       std::nullopt, QStringLiteral("through the list view: %1 s").arg(viewFind, 0, 'f', 4)});

    // Selecting the rich table fills the four detail lists.
    pane.tableWild()->setEditText(QStringLiteral("rich"));
    browser.RefreshTableList();
    const double select = bestOf(options.repeat, [&] {
        browser.lvTablesSelectItem(0);
        paint();
    });
    const double serverDetails = bestOf(options.repeat, [&] {
        const int tabid = tableInfos.front().tabid;
        for (connection::Query *query : {&queries.qFields(), &queries.qIndx(), &queries.qCntr(), &queries.qTrg()}) {
            query->setParameter(QStringLiteral("tabid"), tabid);
            query->open();
            while (!query->atEnd())
                query->next();
            query->close();
        }
    });
    figures.push_back({QStringLiteral("select a table of 100 columns, 10 indexes, 10 constraints, 5 triggers"),
                       select, serverDetails,
                       QStringLiteral("%1 columns, %2 indexes, %3 constraints, %4 triggers listed")
                           .arg(pane.fields()->model()->rowCount() - 1)
                           .arg(pane.indexes()->model()->rowCount())
                           .arg(pane.constraints()->model()->rowCount())
                           .arg(pane.triggers()->model()->rowCount()),
                       QStringLiteral("server alone")});
    queries.unprepareAll();
    return figures;
}

const Registration registration({QStringLiteral("catalog"),
                                 QStringLiteral("the table list of a database of 200,000 tables and the details "
                                                "of a large table"),
                                 catalogBenchmark});

} // namespace

} // namespace quoll::bench
