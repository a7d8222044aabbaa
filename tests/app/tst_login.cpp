#include "sessionfixture.h"
#include "testregistry.h"

#include "connection/widgets/connectdialog.h"
#include "connection/engine/parameterlist.h"
#include "core/error.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using connection::ConnectDialog;
using quoll::testing::ScriptedDialogs;
using quoll::testing::SessionFixture;

namespace {

// A script that presses Enter in the box named `box` of the dialog.
ScriptedDialogs::DialogScript enterIn(const QString &box)
{
    return [box](QDialog &dialog) {
        QWidget *target = dialog.findChild<QWidget *>(box);
        if (auto *combo = qobject_cast<QComboBox *>(target))
            target = combo->lineEdit();
        QTest::keyClick(target, Qt::Key_Return);
        return dialog.result();
    };
}

} // namespace

// The login dialog "Подключение к БД" and the names it remembers.
class TstLogin : public QObject
{
    Q_OBJECT

private slots:
    void theDialogHasItsParts();
    void thePasswordBoxHasTheFocusAndTabFollowsTheOrder();
    void enterInEitherBoxClosesWithOk_data();
    void enterInEitherBoxClosesWithOk();
    void aPickedNameConnectsAndMovesToTheTop();
    void bothBoxesReachTheServerAndThePasswordIsKeptNowhere();
    void cancelChangesNothing();
    void sevenLoadedNamesBecomeFiveAfterALogin();
    void theLoginHookFillsTheParameters();
};

void TstLogin::theDialogHasItsParts()
{
    ConnectDialog dialog;
    QCOMPARE(dialog.windowTitle(), u"Подключение к БД"_s);
    QCOMPARE(dialog.findChild<QLabel *>(u"Label1"_s)->text(), u"Логин"_s);
    QCOMPARE(dialog.findChild<QLabel *>(u"Label2"_s)->text(), u"Пароль"_s);
    QCOMPARE(dialog.findChild<QPushButton *>(u"Button1"_s)->text(), u"OK"_s);
    QCOMPARE(dialog.findChild<QPushButton *>(u"Button2"_s)->text(), u"Отмена"_s);
    QVERIFY(dialog.userName()->isEditable());
    QLineEdit *password = dialog.password();
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    QCOMPARE(password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, password), int(u'*'));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
}

void TstLogin::thePasswordBoxHasTheFocusAndTabFollowsTheOrder()
{
    ConnectDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.password());
    QTest::keyClick(dialog.password(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), u"Button1"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), u"Button2"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() == dialog.userName()
            || QApplication::focusWidget() == dialog.userName()->lineEdit());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dialog.password());
}

void TstLogin::enterInEitherBoxClosesWithOk_data()
{
    QTest::addColumn<QString>("box");
    QTest::newRow("user name") << u"cbUserName"_s;
    QTest::newRow("password") << u"edPassword"_s;
}

void TstLogin::enterInEitherBoxClosesWithOk()
{
    QFETCH(QString, box);
    ConnectDialog dialog;
    ScriptedDialogs dialogs;
    dialogs.answerDialog([box](QDialog &d) {
        auto *connect = static_cast<ConnectDialog *>(&d);
        QTest::keyClicks(connect->userName()->lineEdit(), u"ann"_s);
        QTest::keyClicks(connect->password(), u"pw"_s);
        // Other keys only edit.
        if (d.result() != QDialog::Rejected)
            return int(QDialog::Rejected) + 100;
        return enterIn(box)(d);
    });
    QVERIFY(dialog.ExecuteLogin(dialogs));
    QCOMPARE(dialog.LoginUserName(), u"ann"_s);
    QCOMPARE(dialog.LoginPassword(), u"pw"_s);
    // Typing alone added nothing; the login remembered the name once.
    QCOMPARE(dialog.Logins(), QStringList{u"ann"_s});
}

void TstLogin::aPickedNameConnectsAndMovesToTheTop()
{
    SessionFixture f;
    ConnectDialog *dialog = f.probe().connectDialog();
    dialog->setLogins({u"ann"_s, u"bob"_s, u"cid"_s});
    QCOMPARE(dialog->userName()->currentText(), u"ann"_s);
    f.dialogs.answerDialog([](QDialog &d) {
        static_cast<ConnectDialog &>(d).userName()->setCurrentIndex(2);
        return enterIn(u"cbUserName"_s)(d);
    });
    auto *servers = f.find<QComboBox>(u"cbServerName"_s);
    servers->setCurrentIndex(servers->findText(QString::fromLatin1(SessionFixture::Server)));
    f.probe().topBar()->connectButton()->click();
    f.probe().topBar()->dataBaseName()->hidePopup();

    QVERIFY(f.window->database().isConnected());
    QVERIFY(f.window->windowTitle().startsWith(u"Quoll v4.57b [cid]"_s));
    QCOMPARE(dialog->Logins(), (QStringList{u"cid"_s, u"ann"_s, u"bob"_s}));
    QCOMPARE(dialog->userName()->currentIndex(), 0);
}

void TstLogin::bothBoxesReachTheServerAndThePasswordIsKeptNowhere()
{
    SessionFixture f;
    QVERIFY(f.connect(u"Zed"_s));
    QVERIFY(f.window->windowTitle().startsWith(u"Quoll v4.57b [Zed]"_s));
    ConnectDialog *dialog = f.probe().connectDialog();
    QCOMPARE(dialog->LoginPassword(), u"secret"_s);
    QCOMPARE(f.window->database().parameters().value(u"PASSWORD"_s), QString());
    QCOMPARE(f.window->database().parameters().value(u"USER NAME"_s), QString());

    // Names that differ in letter case are two entries; the dialog keeps
    // what was typed for the next connect.
    f.probe().topBar()->connectButton()->click();
    QVERIFY(f.connect(u"zed"_s));
    QCOMPARE(dialog->Logins(), (QStringList{u"zed"_s, u"Zed"_s}));
    f.probe().topBar()->connectButton()->click();
    f.dialogs.answerDialog(enterIn(u"edPassword"_s));
    QVERIFY(f.connectTo(QString::fromLatin1(SessionFixture::Server), u"zed"_s));
    QCOMPARE(dialog->password()->text(), u"secret"_s);
}

void TstLogin::cancelChangesNothing()
{
    SessionFixture f;
    ConnectDialog *dialog = f.probe().connectDialog();
    dialog->setLogins({u"ann"_s, u"bob"_s});
    f.dialogs.answerDialog([](QDialog &d) {
        auto &connect = static_cast<ConnectDialog &>(d);
        connect.userName()->setCurrentIndex(1);
        QTest::keyClicks(connect.password(), u"typed"_s);
        connect.findChild<QPushButton *>(u"Button2"_s)->click();
        return d.result();
    });
    f.probe().topBar()->connectButton()->click();
    QVERIFY(!f.window->database().isConnected());
    QCOMPARE(dialog->Logins(), (QStringList{u"ann"_s, u"bob"_s}));
    QCOMPARE(dialog->LoginUserName(), QString());
    QCOMPARE(dialog->LoginPassword(), QString());
    QCOMPARE(f.dialogs.messages().size(), 0);
}

void TstLogin::sevenLoadedNamesBecomeFiveAfterALogin()
{
    ConnectDialog dialog;
    const QStringList seven{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s};
    dialog.setLogins(seven);
    QCOMPARE(dialog.Logins(), seven);
    ScriptedDialogs dialogs;
    dialogs.answerDialog(enterIn(u"edPassword"_s));
    QVERIFY(dialog.ExecuteLogin(dialogs));
    QCOMPARE(dialog.Logins(), (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}));
}

void TstLogin::theLoginHookFillsTheParameters()
{
    ConnectDialog dialog;
    ScriptedDialogs dialogs;
    connection::ParameterList login;
    login.setValue(u"USER NAME"_s, u"old"_s);
    login.setValue(u"PASSWORD"_s, u"old"_s);
    dialogs.answerDialog([](QDialog &d) {
        auto &connect = static_cast<ConnectDialog &>(d);
        connect.userName()->setEditText(u"ann"_s);
        connect.password()->setText(u"pw"_s);
        return enterIn(u"edPassword"_s)(d);
    });
    dialog.login(dialogs, login);
    QCOMPARE(login.lines(), (QStringList{u"USER NAME=ann"_s, u"PASSWORD=pw"_s}));

    // Cancelled: a silent abort, the list as it was.
    bool aborted = false;
    try {
        dialog.login(dialogs, login);
    } catch (const SilentAbort &) {
        aborted = true;
    }
    QVERIFY(aborted);
    QCOMPARE(login.lines(), (QStringList{u"USER NAME=ann"_s, u"PASSWORD=pw"_s}));
}

QUOLL_TEST(TstLogin);
#include "tst_login.moc"
