#include "embeddedfixture.h"
#include "testregistry.h"

#include "connection/embedded/server/informixerrors.h"
#include "core/error.h"

#include <QFile>
#include <QTest>

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using namespace quoll::connection;
using quoll::testing::EmbeddedFixture;

namespace {

// A logged database "gone" with 3,000 rows in t, current in `f`.
QString makeDatabase(EmbeddedFixture &f)
{
    f.useNewDatabase(u"gone"_s);
    f.run(u"create table t (a integer, b char(100))"_s);
    f.run(u"begin work"_s);
    for (int i = 0; i < 3000; ++i)
        f.run(u"insert into t values (%1, 'row %1')"_s.arg(i));
    f.run(u"commit work"_s);
    return f.folder.filePath(u"testsrv/gone.db"_s);
}

// What a statement now gives: its rows' count, or its error.
QString answer(EmbeddedFixture &f, const QString &sql)
{
    try {
        connection::Dataset result;
        result.attach(f.engine->executeDirect(sql).cursor);
        if (f.engine->lastError().nativeCode != 0)
            return u"error %1"_s.arg(f.engine->lastError().nativeCode);
        return u"rows %1"_s.arg(result.recordCount());
    } catch (const Error &e) {
        return u"raised %1"_s.arg(e.message().left(60));
    }
}

} // namespace

// The database file goes away under an open connection: every statement
// gets an answer (rows or a clear error), nothing crashes, and the server
// is usable again afterwards.
class TstDatabaseGone : public QObject
{
    Q_OBJECT

private slots:
    void fileEmptiedDuringAFetch()
    {
        EmbeddedFixture f;
        const QString path = makeDatabase(f);
        {
            connection::Dataset rows;
            rows.attach(f.engine->executeDirect(u"select a, b from t order by a"_s).cursor);
            QCOMPARE(rows.text(0, 0), u"0"_s);
            QVERIFY(QFile::resize(path, 0));
            // The rest of the fetch: the rows still cached, or a failure that
            // says the file went away; never a crash.
            try {
                const qint64 count = rows.recordCount();
                QVERIFY(count >= 1 && count <= 3000);
            } catch (const Error &e) {
                QVERIFY2(e.message().contains(u"cut short or damaged"_s), qPrintable(e.message()));
            }
        }
        // Overwritten where the file says what it is: the connection goes on
        // from what it holds, and opening the database again says why not.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.write(QByteArray(4096, 'x'));
        file.close();
        f.engine->executeDirect(u"select count(*) from t"_s);
        // Back to the server's own database, which still works.
        f.run(u"database sysmaster"_s);
        QCOMPARE(answer(f, u"select count(*) from sysdatabases"_s), u"rows 1"_s);
        f.engine->executeDirect(u"database gone"_s);
        QCOMPARE(f.engine->lastError().nativeCode, int(embedded::InformixCode::DatabaseFileDamaged));
        QVERIFY(f.engine->lastError().context.contains(u"removed, cut short or damaged"_s));
        QCOMPARE(answer(f, u"select count(*) from sysdatabases"_s), u"rows 1"_s);
    }

    void fileDeletedWhileConnected()
    {
        EmbeddedFixture f;
        const QString path = makeDatabase(f);
        QVERIFY(QFile::remove(path));
        // The open connection still has the file; a new one does not.
        // The connection holds the file open: it still reads it.
        QCOMPARE(answer(f, u"select count(*) from t"_s), u"rows 1"_s);
        f.run(u"database sysmaster"_s);
        f.engine->executeDirect(u"database gone"_s);
        QVERIFY(f.engine->lastError().nativeCode != 0);
        QCOMPARE(answer(f, u"select count(*) from sysdatabases"_s), u"rows 1"_s);
    }

    void fileLockedByAnotherProcess()
    {
        EmbeddedFixture f;
        const QString path = makeDatabase(f);
        sqlite3 *other = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "begin exclusive", nullptr, nullptr, nullptr), SQLITE_OK);
        f.engine->executeDirect(u"insert into t values (9999, 'locked out')"_s);
        QCOMPARE(f.engine->lastError().nativeCode, int(embedded::InformixCode::DatabaseLocked));
        sqlite3_exec(other, "rollback", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        // Free again: the same statement goes through.
        f.run(u"insert into t values (9999, 'in')"_s);
        QCOMPARE(answer(f, u"select a from t where a = 9999"_s), u"rows 1"_s);
    }
};

QUOLL_TEST(TstDatabaseGone);
#include "tst_databasegone.moc"
