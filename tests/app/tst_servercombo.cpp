#include "clientenvironment.h"
#include "mainfixture.h"
#include "testregistry.h"

#include "app/servercombo.h"
#include "connection/engine/database.h"
#include "connection/servers/createengine.h"

#include <QComboBox>
#include <QFile>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using connection::servers::ServerBackend;
using connection::servers::ServerEntry;
using connection::servers::ServerList;
using quoll::testing::ClientEnvironment;
using quoll::testing::MainFixture;

namespace {

QStringList items(const QComboBox &combo)
{
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts.append(combo.itemText(i));
    return texts;
}

ServerList odbcServers(const QStringList &names)
{
    QList<ServerEntry> entries;
    for (const QString &n : names)
        entries.append({n, ServerBackend::Odbc, u"onsoctcp"_s, u"host_"_s + n, u"9088"_s, {}});
    return ServerList(entries);
}

} // namespace

// The server combo `cbServerName` of the window: filled once at start from
// the server list, sorted, with the remembered server selected and every
// item's server entry at hand; every connect names the server it shows.
class TstServerCombo : public QObject
{
    Q_OBJECT

private slots:
    void fillsInOrderAndSelectsTheRememberedServer_data();
    void fillsInOrderAndSelectsTheRememberedServer();
    void anEmptyListSelectsNothing();
    void theWindowOffersTheServersOfTheSqlhostsFile();
    void theWindowOffersTheBuiltinServersWithoutAClient();
    void everyConnectNamesTheServerShown();
};

void TstServerCombo::fillsInOrderAndSelectsTheRememberedServer_data()
{
    QTest::addColumn<QStringList>("servers");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("selected");
    const QStringList two{u"b_srv"_s, u"a_srv"_s};
    QTest::newRow("remembered") << two << u"b_srv"_s << u"b_srv"_s;
    QTest::newRow("remembered in other letter case") << two << u"B_Srv"_s << u"b_srv"_s;
    QTest::newRow("no longer listed") << two << u"c_srv"_s << u"a_srv"_s;
    QTest::newRow("nothing remembered") << two << QString() << u"a_srv"_s;
}

void TstServerCombo::fillsInOrderAndSelectsTheRememberedServer()
{
    QFETCH(QStringList, servers);
    QFETCH(QString, saved);
    QFETCH(QString, selected);
    QComboBox combo;
    combo.addItem(u"left over"_s);
    app::fillServerCombo(combo, odbcServers(servers), saved);
    QCOMPARE(items(combo), (QStringList{u"a_srv"_s, u"b_srv"_s}));
    QCOMPARE(combo.currentText(), selected);
    const std::optional<ServerEntry> entry = app::selectedServer(combo);
    QVERIFY(entry);
    QCOMPARE(entry->name, selected);
    QCOMPARE(entry->backend, ServerBackend::Odbc);
    QCOMPARE(entry->hostname, u"host_"_s + selected);
}

void TstServerCombo::anEmptyListSelectsNothing()
{
    QComboBox combo;
    app::fillServerCombo(combo, odbcServers({u"x"_s}), QString());
    app::fillServerCombo(combo, ServerList(), u"x"_s);
    QCOMPARE(combo.count(), 0);
    QCOMPARE(combo.currentIndex(), -1);
    QCOMPARE(combo.currentText(), QString());
    QVERIFY(!app::selectedServer(combo));
}

void TstServerCombo::theWindowOffersTheServersOfTheSqlhostsFile()
{
    QTemporaryDir dir;
    QFile hosts(dir.filePath(u"sqlhosts"_s));
    QVERIFY(hosts.open(QIODevice::WriteOnly));
    hosts.write("b_srv onsoctcp db2 9088\na_srv onsoctcp db1 9089 s=6\n# gone onsoctcp db9 1\n");
    hosts.close();
    ClientEnvironment environment(hosts.fileName());
    MainFixture f;
    auto *combo = f.find<QComboBox>(u"cbServerName"_s);
    QVERIFY(combo);
    QVERIFY(!combo->isEditable());
    QCOMPARE(items(*combo), (QStringList{u"a_srv"_s, u"b_srv"_s}));
    QCOMPARE(combo->currentText(), u"a_srv"_s);
    const std::optional<ServerEntry> entry = f.probe().selectedServer();
    QVERIFY(entry);
    QCOMPARE(entry->backend, ServerBackend::Odbc);
    QCOMPARE(entry->hostname, u"db1"_s);
    QCOMPARE(entry->servicename, u"9089"_s);
    QCOMPARE(entry->option(u"s"_s), u"6"_s);
}

void TstServerCombo::theWindowOffersTheBuiltinServersWithoutAClient()
{
    ClientEnvironment environment{QString()};
    MainFixture f;
    auto *combo = f.find<QComboBox>(u"cbServerName"_s);
    QCOMPARE(items(*combo), (QStringList{u"quoll_demo"_s, u"quoll_dev"_s, u"quoll_test"_s, u"quoll_work"_s}));
    QCOMPARE(combo->currentIndex(), 0);
    for (int i = 0; i < combo->count(); ++i)
        QCOMPARE(combo->itemData(i).value<ServerEntry>().backend, ServerBackend::Embedded);
}

void TstServerCombo::everyConnectNamesTheServerShown()
{
    ClientEnvironment environment{QString()};
    MainFixture f;
    auto *combo = f.find<QComboBox>(u"cbServerName"_s);
    connection::Database &database = f.window->database();
    for (const QString &server : {u"quoll_test"_s, u"quoll_work"_s}) {
        combo->setCurrentIndex(combo->findText(server));
        database.setEngine(connection::servers::createEngine(*f.probe().selectedServer(), f.folder.path()));
        f.answerLogin(u"tester"_s);
        database.open();
        QVERIFY(database.isConnected());
        QCOMPARE(database.parameters().size(), 23);
        QCOMPARE(database.parameters().lines().first(), u"SERVER NAME="_s + server);
        QCOMPARE(database.parameters().value(u"DATABASE NAME"_s), u"sysmaster"_s);
        QVERIFY(QFileInfo(f.folder.filePath(server)).isDir());
        database.close();
    }
}

QUOLL_TEST(TstServerCombo);
#include "tst_servercombo.moc"
