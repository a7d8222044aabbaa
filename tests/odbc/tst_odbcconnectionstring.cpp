#include "testregistry.h"

#include "connection/odbc/connectionstring.h"
#include "connection/odbc/driverlocator.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll::connection::odbc;

// The pure pieces of connecting: the Informix connection string, the
// scrubbing of passwords and the choice of the Informix driver.
class TstOdbcConnectionString : public QObject
{
    Q_OBJECT

private slots:
    void buildsTheInformixString_data()
    {
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("expected");
        const QString tail = u"SERVER=ol_demo;HOST=db.example.org;SERVICE=9088;PROTOCOL=onsoctcp;DATABASE=sysmaster"_s;
        QTest::newRow("registered name in braces")
            << u"IBM INFORMIX ODBC DRIVER (64-bit)"_s << u"informix"_s << u"pw"_s
            << u"DRIVER={IBM INFORMIX ODBC DRIVER (64-bit)};"_s + tail + u";UID=informix;PWD=pw"_s;
        QTest::newRow("library path as it is")
            << u"/opt/informix/lib/cli/iclit09b.so"_s << u"informix"_s << u"pw"_s
            << u"DRIVER=/opt/informix/lib/cli/iclit09b.so;"_s + tail + u";UID=informix;PWD=pw"_s;
        QTest::newRow("no user: no UID, no PWD")
            << u"Informix"_s << u""_s << u"ignored"_s << u"DRIVER={Informix};"_s + tail;
        QTest::newRow("password with separators is braced")
            << u"Informix"_s << u"joe"_s << u"a;b}c=d"_s
            << u"DRIVER={Informix};"_s + tail + u";UID=joe;PWD={a;b}}c=d}"_s;
        QTest::newRow("blank password kept")
            << u"Informix"_s << u"joe"_s << u""_s << u"DRIVER={Informix};"_s + tail + u";UID=joe;PWD="_s;
    }
    void buildsTheInformixString()
    {
        QFETCH(QString, driver);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, expected);
        const OdbcServer server{u"ol_demo"_s, u"db.example.org"_s, u"9088"_s, u"onsoctcp"_s};
        QCOMPARE(informixConnectionString(driver, server, {u"sysmaster"_s, user, password}), expected);
    }

    void leavesOutEmptyServerParts()
    {
        const OdbcServer server{u"ol_demo"_s, {}, {}, {}};
        QCOMPARE(informixConnectionString(u"Informix"_s, server, {u"stores"_s, {}, {}}),
                 u"DRIVER={Informix};SERVER=ol_demo;DATABASE=stores"_s);
    }

    void scrubsPasswords_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("expected");
        QTest::newRow("the password itself") << u"Can't open lib 'topsecret'"_s << u"topsecret"_s
                                             << u"Can't open lib '********'"_s;
        QTest::newRow("a PWD part") << u"DRIVER=x;UID=a;PWD=other;HOST=h"_s << u""_s
                                    << u"DRIVER=x;UID=a;PWD=********;HOST=h"_s;
        QTest::newRow("a braced PWD part") << u"UID=a;pwd={x;y}}z};HOST=h"_s << u""_s
                                           << u"UID=a;pwd=********;HOST=h"_s;
        QTest::newRow("nothing to scrub") << u"A syntax error has occurred."_s << u"pw"_s
                                          << u"A syntax error has occurred."_s;
    }
    void scrubsPasswords()
    {
        QFETCH(QString, text);
        QFETCH(QString, password);
        QFETCH(QString, expected);
        QCOMPARE(scrubbed(text, password), expected);
    }

    void choosesTheInformixDriver_data()
    {
        QTest::addColumn<QStringList>("registered");
        QTest::addColumn<QStringList>("libraries");   // files made in $INFORMIXDIR/lib/cli
        QTest::addColumn<QString>("expected");         // "<dir>/" stands for the lib/cli folder
        QTest::newRow("registered name wins") << QStringList{u"SQLite3"_s, u"IBM INFORMIX ODBC DRIVER"_s}
                                              << QStringList{u"iclit09b.so"_s} << u"IBM INFORMIX ODBC DRIVER"_s;
        QTest::newRow("name case ignored") << QStringList{u"informix"_s} << QStringList{} << u"informix"_s;
        QTest::newRow("thread-safe library") << QStringList{u"SQLite3"_s}
                                             << QStringList{u"iclis09b.so"_s, u"iclit09b.so"_s}
                                             << u"<dir>/iclit09b.so"_s;
        QTest::newRow("newer library names") << QStringList{} << QStringList{u"libthcli.so"_s}
                                             << u"<dir>/libthcli.so"_s;
        QTest::newRow("none at all") << QStringList{u"SQLite3"_s, u"PostgreSQL"_s} << QStringList{} << u""_s;
    }
    void choosesTheInformixDriver()
    {
        QFETCH(QStringList, registered);
        QFETCH(QStringList, libraries);
        QFETCH(QString, expected);
        QTemporaryDir informixDir;
        QVERIFY(QDir(informixDir.path()).mkpath(u"lib/cli"_s));
        const QString cli = informixDir.filePath(u"lib/cli"_s);
        for (const QString &library : libraries) {
            QFile file(cli + u'/' + library);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        expected.replace(u"<dir>"_s, QFileInfo(cli).absoluteFilePath());
        QCOMPARE(informixDriver(registered, informixDir.path()), expected);
    }

    void noInformixDirNoLibrary()
    {
        QCOMPARE(informixDriver({u"SQLite3"_s}, {}), QString());
    }

    void readsTheDriverManagersDrivers()
    {
        // The SQLite driver of the test machine is registered under this name.
        QVERIFY2(registeredDrivers().contains(u"SQLite3"_s), qPrintable(registeredDrivers().join(u", "_s)));
    }
};

QUOLL_TEST(TstOdbcConnectionString);

#include "tst_odbcconnectionstring.moc"
