// The embedded server's whole statement path (reading, the rewrite passes,
// the catalog planners, the storage engine) on a scratch database: any
// text is answered with a result or an Informix error whose position lies
// in the statement, and the server still answers afterwards.
#include "fuzzcheck.h"

#include "connection/embedded/server/embeddedengine.h"
#include "connection/engine/database.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

using namespace Qt::Literals::StringLiterals;

using namespace quoll::connection;

namespace {

struct Scratch
{
    QTemporaryDir folder;
    embedded::EmbeddedEngine *engine = nullptr;
    Database database;

    Scratch()
    {
        auto owned = std::make_unique<embedded::EmbeddedEngine>(
            embedded::EmbeddedServer(u"fuzz"_s, folder.filePath(u"fuzz"_s)));
        engine = owned.get();
        database.setEngine(std::move(owned));
        database.parameters().setValue(u"DATABASE NAME"_s, u"sysmaster"_s);
        database.parameters().setValue(u"USER NAME"_s, u"informix"_s);
        database.open();
        reset();
    }

    // A logged database with a few tables of every kind of column.
    void reset()
    {
        engine->executeDirect(u"database sysmaster"_s);
        engine->executeDirect(u"drop database fz"_s);
        for (const char *sql : {
                 "create database fz with log",
                 "create table t (id serial, name char(20) not null, price decimal(8,2) default 0, placed date, "
                 "at datetime year to second, primary key (id))",
                 "create table c (item integer references t, qty smallint check (qty > 0))",
                 "create index ix_t on t (name desc)",
                 "create view v as select id, name from t where price > 1",
                 "create synonym s for t",
                 "create sequence q",
                 "insert into t (name, price, placed) values ('pen', 1.5, '03/05/2003')",
             })
            engine->executeDirect(QString::fromLatin1(sql));
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Scratch scratch;
    const QString statement = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    scratch.engine->executeDirect(u"begin work"_s);
    scratch.engine->executeDirect(statement);
    const int offset = scratch.engine->communicationArea().errorOffset;
    FUZZ_CHECK(offset >= 0 && offset <= statement.size() + 1);
    scratch.engine->executeDirect(u"rollback work"_s);
    // A statement that left the scratch database (DATABASE, DROP, CLOSE)
    // or changed it for good gets a new one.
    scratch.engine->executeDirect(u"select count(*) from t"_s);
    if (scratch.engine->lastError().nativeCode != 0)
        scratch.reset();
    return 0;
}
