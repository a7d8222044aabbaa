#include "sessionfixture.h"
#include "testregistry.h"

#include "connection/engine/database.h"
#include "connection/sessionqueries.h"
#include "widgets/popupcombobox.h"

#include <QAbstractItemView>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using quoll::testing::SessionFixture;

namespace {

// Connected to `database`, made with or without a log.
bool connectedTo(SessionFixture &f, const QString &database, bool logging = true)
{
    f.createDatabases({database}, logging);
    if (!f.connect())
        return false;
    f.pickDatabase(database);
    return f.dialogs.messages().isEmpty();
}

struct ButtonState
{
    bool enabled;
    bool down;
    QString hint;
    bool rollbackEnabled;

    friend bool operator==(const ButtonState &, const ButtonState &) = default;
};

ButtonState buttons(const SessionFixture &f)
{
    const QToolButton *beginCommit = f.probe().topBar()->beginCommitButton();
    return {beginCommit->isEnabled(), beginCommit->isChecked(), beginCommit->toolTip(),
            f.probe().topBar()->rollbackButton()->isEnabled()};
}

const ButtonState NoTransaction{true, false, u"Начать транзакцию"_s, false};
const ButtonState InTransaction{true, true, u"Накатить транзакцию"_s, true};

QStringList openRoleList(SessionFixture &f)
{
    widgets::PopupComboBox *roles = f.probe().topBar()->roleName();
    roles->showPopup();
    const QStringList shown = f.items(roles);
    roles->hidePopup();
    return shown;
}

} // namespace

namespace QTest {
template<>
char *toString(const ButtonState &state)
{
    return qstrdup(qPrintable(u"enabled %1, down %2, hint \"%3\", rollback %4"_s.arg(state.enabled)
                                  .arg(state.down)
                                  .arg(state.hint)
                                  .arg(state.rollbackEnabled)));
}
} // namespace QTest

// The transaction buttons and the role picker of the top bar.
class TstTransactions : public QObject
{
    Q_OBJECT

private slots:
    void startThenRollBack();
    void startThenCommitWithTheSameButton();
    void aRefusedStartLeavesTheButtonsTrue();
    void theButtonsAskTheConnection();
    void rolesAreReadEachTimeTheListOpens();
    void withoutGrantsTheListIsEmpty();
    void pickingARoleSetsIt();
};

void TstTransactions::startThenRollBack()
{
    SessionFixture f;
    QVERIFY(connectedTo(f, u"alpha"_s));
    f.window->database().execute(u"create table t (i integer)"_s);
    QCOMPARE(buttons(f), NoTransaction);
    const int before = f.logSize();

    f.probe().topBar()->beginCommitButton()->click();
    QVERIFY(f.window->database().inTransaction());
    QCOMPARE(buttons(f), InTransaction);
    f.window->database().execute(u"insert into t values (1)"_s);

    f.probe().topBar()->rollbackButton()->click();
    QVERIFY(!f.window->database().inTransaction());
    QCOMPARE(buttons(f), NoTransaction);
    QCOMPARE(f.log(before), (QStringList{u"Начало транзакции | "_s, u"Откат транзакции | "_s}));
    QCOMPARE(f.column(u"select count(*) from t"_s), QStringList{u"0"_s});
    QCOMPARE(f.dialogs.messages().size(), 0);
}

void TstTransactions::startThenCommitWithTheSameButton()
{
    SessionFixture f;
    QVERIFY(connectedTo(f, u"alpha"_s));
    f.window->database().execute(u"create table t (i integer)"_s);
    const int before = f.logSize();
    f.probe().topBar()->beginCommitButton()->click();
    f.window->database().execute(u"insert into t values (1)"_s);
    f.probe().topBar()->beginCommitButton()->click();
    QVERIFY(!f.window->database().inTransaction());
    QCOMPARE(buttons(f), NoTransaction);
    QCOMPARE(f.log(before), (QStringList{u"Начало транзакции | "_s, u"Накат транзакции | "_s}));
    QCOMPARE(f.column(u"select count(*) from t"_s), QStringList{u"1"_s});
}

void TstTransactions::aRefusedStartLeavesTheButtonsTrue()
{
    SessionFixture f;
    // A database without a log has no transactions.
    QVERIFY(connectedTo(f, u"nolog"_s, false));
    const int before = f.logSize();
    f.probe().topBar()->beginCommitButton()->click();
    QCOMPARE(f.dialogs.messages().size(), 1);
    QVERIFY(!f.window->database().inTransaction());
    QCOMPARE(buttons(f), NoTransaction);
    QCOMPARE(f.logSize(), before);
}

void TstTransactions::theButtonsAskTheConnection()
{
    SessionFixture f;
    QVERIFY(connectedTo(f, u"alpha"_s));
    // A transaction begun by a statement of the user's is the connection's.
    f.window->database().execute(u"begin work"_s);
    const int before = f.logSize();
    f.probe().topBar()->beginCommitButton()->click();
    QVERIFY(!f.window->database().inTransaction());
    QCOMPARE(buttons(f), NoTransaction);
    QCOMPARE(f.log(before), QStringList{u"Накат транзакции | "_s});

    // After a disconnect both are disabled.
    f.probe().topBar()->beginCommitButton()->click();
    f.dialogs.answerQuestion(Dialogs::Button::No);
    f.probe().topBar()->connectButton()->click();
    QCOMPARE(buttons(f), (ButtonState{false, false, u"Начать транзакцию"_s, false}));
}

void TstTransactions::rolesAreReadEachTimeTheListOpens()
{
    SessionFixture f;
    QVERIFY(connectedTo(f, u"alpha"_s));
    connection::Database &database = f.window->database();
    database.execute(u"create role clerk"_s);
    database.execute(u"create role manager"_s);
    database.execute(u"create role auditor"_s);
    database.execute(u"grant manager to tester"_s);
    database.execute(u"grant clerk to tester"_s);
    database.execute(u"grant auditor to someone_else"_s);
    const QStringList granted = f.column(QString::fromLatin1(connection::SessionQuery::RoleList));
    QCOMPARE(QSet<QString>(granted.begin(), granted.end()), (QSet<QString>{u"clerk"_s, u"manager"_s}));

    QCOMPARE(openRoleList(f), granted);
    QCOMPARE(openRoleList(f), granted);
    // A new grant shows at the next opening.
    database.execute(u"grant auditor to tester"_s);
    QCOMPARE(openRoleList(f).size(), 3);
    QCOMPARE(f.dialogs.messages().size(), 0);
}

void TstTransactions::withoutGrantsTheListIsEmpty()
{
    SessionFixture f;
    QVERIFY(connectedTo(f, u"alpha"_s));
    QCOMPARE(openRoleList(f), QStringList());
    QCOMPARE(f.dialogs.messages().size(), 0);
}

void TstTransactions::pickingARoleSetsIt()
{
    SessionFixture f;
    QVERIFY(connectedTo(f, u"alpha"_s));
    connection::Database &database = f.window->database();
    database.execute(u"create role clerk"_s);
    database.execute(u"grant clerk to tester"_s);
    widgets::PopupComboBox *roles = f.probe().topBar()->roleName();
    QCOMPARE(openRoleList(f), QStringList{u"clerk"_s});
    const int before = f.logSize();
    roles->setCurrentIndex(0);
    emit roles->activated(0);
    QCOMPARE(f.dialogs.messages().size(), 0);
    QCOMPARE(f.logSize(), before);

    // A role no longer granted is refused; the picker keeps the name.
    database.execute(u"revoke clerk from tester"_s);
    emit roles->activated(0);
    QCOMPARE(f.dialogs.messages().size(), 1);
    QCOMPARE(roles->currentText(), u"clerk"_s);
}

QUOLL_TEST(TstTransactions);
#include "tst_transactions.moc"
