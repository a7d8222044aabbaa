#include "connection/builtin/demodatabases.h"

#include "connection/builtin/demorows.h"
#include "connection/builtin/demoschema.h"
#include "connection/embedded/server/embeddedengine.h"
#include "connection/engine/parameterlist.h"

#include <QVariant>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::builtin {

namespace {

// Runs the demo's statements on a connection to the server being made.
class DemoWriter
{
public:
    DemoWriter(const embedded::EmbeddedServer &server, const QString &user) : m_engine(server)
    {
        ParameterList parameters;
        parameters.setValue(u"DATABASE NAME"_s, u"sysmaster"_s);
        parameters.setValue(u"USER NAME"_s, user);
        m_engine.connect(parameters);
    }

    void run(const QString &sql)
    {
        try {
            m_engine.execute(sql);
        } catch (const EngineError &e) {
            throw EngineError(e.nativeCode(), e.message() + u" (demo statement: "_s + sql.left(120) + u')');
        }
    }

    void run(std::span<const char *const> statements)
    {
        for (const char *sql : statements)
            run(QString::fromUtf8(sql));
    }

    // Inserts every row through one prepared statement.
    void insert(const QString &sql, const std::vector<QVariantList> &rows)
    {
        try {
            const std::unique_ptr<PreparedStatement> statement = m_engine.prepare(sql);
            for (const QVariantList &row : rows) {
                for (int i = 0; i < row.size(); ++i)
                    statement->bind(i, row[i]);
                statement->execute();
            }
        } catch (const EngineError &e) {
            throw EngineError(e.nativeCode(), e.message() + u" (demo statement: "_s + sql.left(120) + u')');
        }
    }

private:
    embedded::EmbeddedEngine m_engine;
};

QString quotedText(const QString &text)
{
    return u'\'' + QString(text).replace(u'\'', u"''"_s) + u'\'';
}

void fillMainDatabase(DemoWriter &writer, const QString &user)
{
    writer.run(u"create database %1 with log"_s.arg(QLatin1String(DemoDatabase::Main)));
    writer.run(u"begin work"_s);
    writer.run(demoTables());
    writer.run(demoIndexes());
    const DemoRows rows = makeDemoRows();
    writer.insert(u"insert into state (code, sname) values (?, ?)"_s, rows.states);
    writer.insert(u"insert into manufact (manu_code, manu_name, lead_time, updated) values (?, ?, ?, ?)"_s,
                  rows.manufacturers);
    writer.insert(u"insert into stock (stock_num, manu_code, description, unit_price, unit, unit_descr, weight, "
                  "density) values (?, ?, ?, ?, ?, ?, ?, ?)"_s,
                  rows.stock);
    writer.insert(u"insert into customer (customer_num, fname, lname, company, address1, address2, city, state, "
                  "zipcode, phone, credit_limit, active) values (0, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
                  rows.customers);
    writer.insert(u"insert into orders (order_num, order_date, customer_num, ship_instruct, backlog, po_num, "
                  "ship_date, ship_weight, ship_charge, paid_date, order_time) "
                  "values (0, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
                  rows.orders);
    writer.insert(u"insert into items (item_num, order_num, stock_num, manu_code, quantity, total_price) "
                  "values (?, ?, ?, ?, ?, ?)"_s,
                  rows.items);
    writer.insert(u"insert into cust_calls (customer_num, call_dtime, call_code, call_descr, res_dtime, res_descr) "
                  "values (?, ?, ?, ?, ?, ?)"_s,
                  rows.calls);
    writer.insert(u"insert into catalog (stock_num, manu_code, cat_descr, cat_picture, cat_photo, cat_advert) "
                  "values (?, ?, ?, ?, ?, ?)"_s,
                  rows.catalog);
    writer.insert(u"insert into price_history (stock_num, manu_code, old_price, new_price, factor, valid_for) "
                  "values (?, ?, ?, ?, ?, ?)"_s,
                  rows.priceChanges);
    writer.insert(u"insert into sensor_readings (reading_id, sensor_id, taken_at, reading, raw_value, precise, "
                  "counter, total, tally, status, note) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s,
                  makeSensorReadings(DemoDatabase::ReadingRows));
    writer.run(demoViews());
    writer.run(demoTriggers());
    writer.run(demoRoutines());
    writer.run(u"create role clerk"_s);
    writer.run(u"create role manager"_s);
    for (const QString &role : {u"clerk"_s, u"manager"_s})
        writer.run(u"grant %1 to %2"_s.arg(role, quotedText(user)));
    writer.run(u"grant clerk to public"_s);
    writer.run(u"grant execute on purge_readings to manager"_s);
    writer.run(u"update statistics"_s);
    writer.run(u"commit work"_s);
}

void fillSmallDatabase(DemoWriter &writer)
{
    writer.run(u"create database %1"_s.arg(QLatin1String(DemoDatabase::Small)));
    writer.run(demoSmallTables());
    const DemoRows rows = makeDemoRows();
    writer.insert(u"insert into department (dept_no, dept_name, budget) values (?, ?, ?)"_s, rows.departments);
    writer.insert(u"insert into employee (emp_no, dept_no, first_name, last_name, hired, salary, email) "
                  "values (0, ?, ?, ?, ?, ?, ?)"_s,
                  rows.employees);
    writer.run(u"update statistics"_s);
}

void fillWideDatabase(DemoWriter &writer)
{
    writer.run(u"create database %1 with log"_s.arg(QLatin1String(DemoDatabase::Wide)));
    writer.run(u"begin work"_s);
    for (int i = 1; i <= DemoDatabase::WideTables; ++i)
        for (const QString &sql : wideTableStatements(i))
            writer.run(sql);
    writer.run(u"commit work"_s);
}

} // namespace

void generateDemoDatabases(const embedded::EmbeddedServer &server, const QString &user)
{
    DemoWriter writer(server, user);
    fillSmallDatabase(writer);
    fillWideDatabase(writer);
    fillMainDatabase(writer, user);
    writer.run(u"close database"_s);
}

} // namespace quoll::connection::builtin
