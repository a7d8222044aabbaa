#include "testregistry.h"

#include "connection/odbc/driverlocator.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll::connection::odbc;

// Finding the Informix driver on a machine, in a fresh process each time:
// the driver manager reads its driver list once per process.
class TstOdbcDiscovery : public QObject
{
    Q_OBJECT

private:
    struct Probe
    {
        QString driver;
        QString outcome;
    };

    // Runs the probe with a driver list holding `drivers` (odbcinst.ini
    // text) and INFORMIXDIR as given (unset when null).
    static Probe probe(const QByteArray &drivers, const QString &informixDir, const QString &password)
    {
        QTemporaryDir folder;
        QFile list(folder.filePath(u"odbcinst.ini"_s));
        if (!list.open(QIODevice::WriteOnly))
            return {};
        list.write(drivers);
        list.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"ODBCSYSINI"_s, folder.path());
        environment.insert(u"ODBCINSTINI"_s, u"odbcinst.ini"_s);
        environment.remove(u"INFORMIXDIR"_s);
        if (!informixDir.isNull())
            environment.insert(u"INFORMIXDIR"_s, informixDir);
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QString::fromUtf8(ODBC_PROBE), {password});
        if (!process.waitForFinished(30000))
            return {};
        const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n');
        return {lines.value(0), lines.value(1)};
    }

private slots:
    void saysThatNoInformixDriverIsInstalled()
    {
        const Probe result = probe("[SQLite3]\nDriver=libsqlite3odbc.so\n", {}, u"pw"_s);
        QCOMPARE(result.driver, QString());
        QCOMPARE(result.outcome, missingDriverMessage());
    }

    void triesTheLibraryUnderInformixDir()
    {
        // A library file that is no library: found, tried, and reported as
        // not loadable, without the password.
        QTemporaryDir informixDir;
        QVERIFY(QDir(informixDir.path()).mkpath(u"lib/cli"_s));
        const QString library = informixDir.filePath(u"lib/cli/iclit09b.so"_s);
        QFile file(library);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a library");
        file.close();
        const Probe result = probe("[SQLite3]\nDriver=libsqlite3odbc.so\n", informixDir.path(), u"Zx9-secret"_s);
        QCOMPARE(result.driver, QFileInfo(library).absoluteFilePath());
        QVERIFY2(result.outcome.contains(u"could not be loaded"_s), qPrintable(result.outcome));
        QVERIFY(!result.outcome.contains(u"Zx9-secret"_s));
    }

    void usesARegisteredInformixDriver()
    {
        // Registered under an Informix name but pointing at a library that
        // is not there: the name is found and its load fails.
        const Probe result = probe("[SQLite3]\nDriver=libsqlite3odbc.so\n\n"
                                   "[IBM INFORMIX ODBC DRIVER]\nDriver=/nonexistent/iclit09b.so\n",
                                   {}, u"pw"_s);
        QCOMPARE(result.driver, u"IBM INFORMIX ODBC DRIVER"_s);
        QVERIFY2(result.outcome.contains(u"could not be loaded"_s), qPrintable(result.outcome));
    }
};

QUOLL_TEST(TstOdbcDiscovery);

#include "tst_odbcdiscovery.moc"
