#include "browserfixture.h"
#include "testregistry.h"

#include "catalog/browserqueries.h"
#include "catalog/catalogpane.h"
#include "catalog/tablebrowser.h"
#include "catalog/tablelistmodel.h"
#include "connection/engine/engineerror.h"
#include "widgets/imagelist.h"
#include "widgets/reportlist.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using quoll::testing::EmbeddedFixture;
using quoll::testing::BrowserFixture;
using quoll::testing::ScriptedDialogs;
using widgets::ReportList;
namespace ListIcon = widgets::ListIcon;


// The table page of the catalog browser over a real embedded server: the
// filter, the list, its sorting and type-ahead, and the detail lists.
class TstTableBrowser : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void theFilterFillsTheListInNameOrder();
    void aFailingQueryLeavesTheListEmptyAndSaysWhy();
    void selectingATableFillsTheFourDetailLists();
    void aViewHasOnlyColumns();
    void columnsOutOfSequenceAreSaidAndStillListed();
    void columnClicksSortTheTableList();
    void sortingLeavesTheSelectedRowAndTheDetails();
    void columnClicksSortADetailListAsText();
    void doubleClickInsertsTheName();
    void typingFindsATable();
    void clearingEmptiesTheLists();

private:
    std::unique_ptr<BrowserFixture> m_f;
};

void TstTableBrowser::init()
{
    m_f = std::make_unique<BrowserFixture>();
    m_f->makeShop();
}

void TstTableBrowser::cleanup()
{
    QCOMPARE(m_f->dialogs.unexpectedCalls(), 0);
    m_f.reset();
}

void TstTableBrowser::theFilterFillsTheListInNameOrder()
{
    QAbstractItemModelTester tester(m_f->pane.tableModel());
    m_f->search(u"*every*;ord*"_s);
    QCOMPARE(m_f->errors, QStringList());
    QCOMPARE(m_f->tableNames(), (QStringList{u"every_type"_s, u"order_lines"_s, u"orders"_s, u"v_every"_s}));
    QCOMPARE(m_f->pane.tableWild()->itemText(0), u"*every*;ord*"_s);
    const catalog::TableInfo &view = m_f->tableInfos.back();
    QCOMPARE(view.tabtype, u'V');
    QCOMPARE(catalog::TableListModel::iconOf(view), int(ListIcon::UserView));
    const catalog::TableInfo &table = m_f->tableInfos.front();
    QCOMPARE(table.owner, u"tester"_s);
    QCOMPARE(table.ncols, 17);
    QCOMPARE(table.nindexes, 4);
    QCOMPARE(table.created, QDate::currentDate());
    QCOMPARE(table.tabtype, u'T');
    QVERIFY(table.tabid >= 100);
    QCOMPARE(m_f->pane.tables()->model()->rowCount(), 4);

    // The find button runs the same search; the whole list includes the
    // catalog tables with their own icon.
    m_f->pane.tableWild()->setEditText(QString());
    m_f->pane.findTable()->click();
    QVERIFY(m_f->tableInfos.size() > 20);
    const catalog::TableInfo &systables = m_f->tableInfos[size_t(m_f->rowOf(u"systables"_s))];
    QCOMPARE(systables.tabid, 1);
    QCOMPARE(catalog::TableListModel::iconOf(systables), int(ListIcon::SystemTable));
}

void TstTableBrowser::aFailingQueryLeavesTheListEmptyAndSaysWhy()
{
    m_f->search(u"*"_s);
    QVERIFY(!m_f->tableInfos.empty());
    m_f->search(u"a\"b"_s);
    QVERIFY2(m_f->errors.size() == 1, qPrintable(m_f->errors.join(u'\n')));
    QVERIFY2(m_f->errors.first().contains(u"syntax"_s), qPrintable(m_f->errors.join(u'\n')));
    QVERIFY(m_f->tableInfos.empty());
    QCOMPARE(m_f->pane.tables()->model()->rowCount(), 0);
    // The history took the text before the query failed.
    QCOMPARE(m_f->pane.tableWild()->itemText(0), u"a\"b"_s);
}

void TstTableBrowser::selectingATableFillsTheFourDetailLists()
{
    m_f->search(u"every_type"_s);
    for (ReportList *list : {m_f->pane.fields(), m_f->pane.indexes(), m_f->pane.constraints(), m_f->pane.triggers()})
        new QAbstractItemModelTester(list->model(), list);
    m_f->select(u"every_type"_s);
    QCOMPARE(m_f->errors, QStringList());
    const QStringList columns = BrowserFixture::rows(m_f->pane.fields(), true);
    QCOMPARE(columns.size(), 18);
    QCOMPARE(columns.value(0), u"[0]*||||"_s);
    QCOMPARE(columns.mid(1), (QStringList{
                                 u"[0]id|INTEGER|4|Yes|"_s,
                                 u"[0]c|CHAR|20|No|def"_s,
                                 u"[0]si|SMALLINT|2|No|5"_s,
                                 u"[0]fl|FLOAT|8|No|"_s,
                                 u"[0]sf|SMALLFLOAT|4|No|"_s,
                                 u"[0]de|DECIMAL|16,2|No|1.5"_s,
                                 u"[0]da|DATE|4|No|Today"_s,
                                 u"[0]mo|MONEY|8,2|No|"_s,
                                 u"[0]dt|DATETIME|YEAR(4) : SECOND|No|Current"_s,
                                 u"[0]iv|INTERVAL|DAY(3) : SECOND|No|"_s,
                                 u"[0]by|BYTE|56|No|"_s,
                                 u"[0]tx|TEXT|56|No|"_s,
                                 u"[0]vc|VARCHAR|1310|No|User"_s,
                                 u"[0]i8|INT8|10|No|NULL"_s,
                                 u"[0]nc|NCHAR|10|No|"_s,
                                 u"[0]host|CHAR|18|No|Dbservername"_s,
                                 u"[0]cust|INTEGER|4|No|"_s,
                             }));
    QCOMPARE(m_f->columnNames.size(), 17);
    QCOMPARE(m_f->columnNames.value(5), u"de"_s);

    QStringList indexes = BrowserFixture::rows(m_f->pane.indexes(), true);
    QVERIFY2(indexes.contains(u"[0]ix_every|D |si, -de"_s), qPrintable(indexes.join(u'\n')));
    QCOMPARE(indexes.filter(u"|U |id"_s).size(), 1);
    QCOMPARE(indexes.filter(u"|U |c"_s).size(), 1);
    QCOMPARE(indexes.filter(u"|D |cust"_s).size(), 1);

    const QStringList constraints = BrowserFixture::rows(m_f->pane.constraints(), true);
    QCOMPARE(constraints.filter(u"[2]pk_every|P| "_s).size(), 1);
    QCOMPARE(constraints.filter(u"[0]u_every_c|U| "_s).size(), 1);
    QCOMPARE(constraints.filter(u"[4]ck_every_si|C||"_s).size(), 1);
    QCOMPARE(constraints.filter(QRegularExpression(u"^\\[3\\]fk_every_cust\\|R\\| .*\\|customer$"_s)).size(), 1);
    QCOMPARE(constraints.filter(QRegularExpression(u"^\\[5\\]n\\d+_\\d+\\|N\\|\\|$"_s)).size(), 1);

    const QStringList triggers = BrowserFixture::rows(m_f->pane.triggers());
    QCOMPARE(triggers, QStringList{u"tr_every|tester|I||n"_s});
    const auto *triggerModel = qobject_cast<const widgets::ReportListModel *>(m_f->pane.triggers()->model());
    QCOMPARE(triggerModel->row(0).data.toInt(),
             m_f->server.rows(u"select trigid from systriggers where trigname = 'tr_every'"_s).value(0).toInt());
}

void TstTableBrowser::aViewHasOnlyColumns()
{
    m_f->search(u"v_every"_s);
    m_f->select(u"v_every"_s);
    QCOMPARE(BrowserFixture::rows(m_f->pane.fields()),
             (QStringList{u"*||||"_s, u"id|INTEGER|4|No|"_s, u"c|CHAR|20|No|"_s}));
    QCOMPARE(m_f->pane.indexes()->model()->rowCount(), 0);
    QCOMPARE(m_f->pane.constraints()->model()->rowCount(), 0);
    QCOMPARE(m_f->pane.triggers()->model()->rowCount(), 0);
}

void TstTableBrowser::columnsOutOfSequenceAreSaidAndStillListed()
{
    m_f->server.run(u"create table gap (a integer, b integer, c integer)"_s);
    m_f->server.run(u"create index ix_gap on gap (c, a)"_s);
    m_f->server.run(u"update syscolumns set colno = 9 where colname = 'b' and tabid = "
                    "(select tabid from systables where tabname = 'gap')"_s);
    m_f->search(u"gap"_s);
    m_f->select(u"gap"_s);
    // a (1), c (3) at position 2, b (9) at position 3: two messages.
    QCOMPARE(m_f->dialogs.messages().size(), 2);
    QCOMPARE(m_f->dialogs.messages().first().text, u"colno не подряд"_s);
    m_f->dialogs.clear();
    QCOMPARE(BrowserFixture::rows(m_f->pane.fields()).size(), 4);
    // Index parts are taken by position: part 3 is the third name read.
    QCOMPARE(BrowserFixture::rows(m_f->pane.indexes()), QStringList{u"ix_gap|D |b, a"_s});
}

void TstTableBrowser::columnClicksSortTheTableList()
{
    catalog::TableListModel *model = m_f->pane.tableModel();
    QAbstractItemModelTester tester(model);
    QHeaderView *header = m_f->pane.tables()->horizontalHeader();

    // An empty list: nothing changes, not even the mark.
    m_f->search(u"nothing*"_s);
    emit header->sectionClicked(2);
    QCOMPARE(m_f->browser->tableSortState(), 0);
    QVERIFY(model->headerData(2, Qt::Horizontal, Qt::DecorationRole).isNull());

    // Names are kept in lower case.
    m_f->search(u"[oaz]*"_s);
    const QStringList byName{u"alpha"_s, u"order_lines"_s, u"orders"_s, u"zeta"_s};
    QCOMPARE(m_f->tableNames(), byName);
    emit header->sectionClicked(0);
    QCOMPARE(m_f->browser->tableSortState(), 1);
    QCOMPARE(m_f->tableNames(), byName);
    QVERIFY(!model->headerData(0, Qt::Horizontal, Qt::DecorationRole).isNull());
    emit header->sectionClicked(0);
    QCOMPARE(m_f->browser->tableSortState(), -1);
    QCOMPARE(m_f->tableNames(), (QStringList{u"zeta"_s, u"orders"_s, u"order_lines"_s, u"alpha"_s}));
    // Another column: its own mark, ascending; by tabid the creation order.
    emit header->sectionClicked(2);
    QCOMPARE(m_f->browser->tableSortState(), 3);
    QVERIFY(model->headerData(0, Qt::Horizontal, Qt::DecorationRole).isNull());
    QVERIFY(!model->headerData(2, Qt::Horizontal, Qt::DecorationRole).isNull());
    QCOMPARE(m_f->tableNames(), (QStringList{u"orders"_s, u"order_lines"_s, u"zeta"_s, u"alpha"_s}));

    // A refresh brings the server's order back and keeps the state.
    m_f->search(u"[oaz]*"_s);
    QCOMPARE(m_f->tableNames(), byName);
    QCOMPARE(m_f->browser->tableSortState(), 3);
    emit header->sectionClicked(2);
    QCOMPARE(m_f->browser->tableSortState(), -3);
}

void TstTableBrowser::sortingLeavesTheSelectedRowAndTheDetails()
{
    m_f->search(u"every_type;orders"_s);
    m_f->select(u"orders"_s);   // row 1
    QCOMPARE(BrowserFixture::rows(m_f->pane.fields()).value(1), u"a|INTEGER|4|No|"_s);
    emit m_f->pane.tables()->horizontalHeader()->sectionClicked(0);
    emit m_f->pane.tables()->horizontalHeader()->sectionClicked(0);
    QCOMPARE(m_f->tableNames(), (QStringList{u"orders"_s, u"every_type"_s}));
    QCOMPARE(m_f->pane.tables()->selectedRow(), 1);
    QCOMPARE(BrowserFixture::rows(m_f->pane.fields()).value(1), u"a|INTEGER|4|No|"_s);
}

void TstTableBrowser::columnClicksSortADetailListAsText()
{
    m_f->search(u"every_type"_s);
    m_f->select(u"every_type"_s);
    ReportList *fields = m_f->pane.fields();
    fields->selectRow(2);   // c
    emit fields->horizontalHeader()->sectionClicked(2);   // Size
    QCOMPARE(m_f->browser->detailSortState(fields), 3);
    QStringList sizes;
    for (const QString &row : BrowserFixture::rows(fields))
        sizes.append(row.section(u'|', 2, 2));
    QCOMPARE(sizes.mid(0, 4), (QStringList{QString(), u"10"_s, u"10"_s, u"1310"_s}));
    QCOMPARE(sizes.indexOf(u"20"_s) > sizes.indexOf(u"16,2"_s), true);
    // The selected row moved with its column.
    QCOMPARE(fields->model()->index(fields->selectedRow(), 0).data().toString(), u"c"_s);
    emit fields->horizontalHeader()->sectionClicked(2);
    QCOMPARE(m_f->browser->detailSortState(fields), -3);
    QCOMPARE(BrowserFixture::rows(fields).first().section(u'|', 2, 2), u"YEAR(4) : SECOND"_s);
    // A new selection resets the state and the mark.
    m_f->select(u"every_type"_s);
    m_f->pane.tables()->clearSelection();
    m_f->select(u"every_type"_s);
    QCOMPARE(m_f->browser->detailSortState(fields), 0);
    QVERIFY(fields->model()->headerData(2, Qt::Horizontal, Qt::DecorationRole).isNull());
}

void TstTableBrowser::doubleClickInsertsTheName()
{
    m_f->search(u"every_type"_s);
    m_f->select(u"every_type"_s);
    m_f->browser->ListViewDblClick(m_f->pane.tables());
    m_f->pane.fields()->selectRow(0);
    m_f->browser->ListViewDblClick(m_f->pane.fields());
    m_f->pane.fields()->selectRow(2);
    m_f->browser->ListViewDblClick(m_f->pane.fields());
    m_f->pane.triggers()->selectRow(0);
    m_f->browser->ListViewDblClick(m_f->pane.triggers());
    m_f->pane.indexes()->clearSelection();
    m_f->browser->ListViewDblClick(m_f->pane.indexes());
    QCOMPARE(m_f->inserted, (QStringList{u" every_type"_s, u" *"_s, u" c"_s, u" tr_every"_s}));
}

void TstTableBrowser::typingFindsATable()
{
    m_f->search(QString());
    ReportList *tables = m_f->pane.tables();
    m_f->pane.resize(600, 400);
    m_f->pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_f->pane));
    tables->setFocus();
    tables->keyboardSearch(u"ORD"_s);
    QCOMPARE(tables->currentIndex().row(), m_f->rowOf(u"order_lines"_s));
    // The selection follows and fills the details.
    QCOMPARE(tables->selectedRow(), m_f->rowOf(u"order_lines"_s));
    QCOMPARE(BrowserFixture::rows(m_f->pane.fields()).value(1), u"a|INTEGER|4|No|"_s);
    // An empty search starts the typed text anew.
    tables->keyboardSearch(QString());
    tables->keyboardSearch(u"SYSV"_s);
    QCOMPARE(tables->currentIndex().row(), m_f->rowOf(u"sysviews"_s));
}

void TstTableBrowser::clearingEmptiesTheLists()
{
    m_f->search(u"every_type"_s);
    m_f->select(u"every_type"_s);
    emit m_f->pane.fields()->horizontalHeader()->sectionClicked(0);
    emit m_f->pane.tables()->horizontalHeader()->sectionClicked(0);
    m_f->browser->ClearDetailLists();
    m_f->browser->ClearTableList();
    for (ReportList *list : m_f->pane.lists())
        QCOMPARE(list->model()->rowCount(), 0);
    QCOMPARE(m_f->browser->detailSortState(m_f->pane.fields()), 0);
    // The table list keeps its sort state and mark.
    QCOMPARE(m_f->browser->tableSortState(), 1);
}

QUOLL_TEST(TstTableBrowser);
#include "tst_tablebrowser.moc"
