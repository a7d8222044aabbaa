#include "scripteddialogs.h"
#include "testregistry.h"

#include "app/errorhandler.h"
#include "app/quollapplication.h"
#include "connection/engine/engineerror.h"
#include "core/error.h"

#include <QEvent>
#include <QTest>

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using quoll::testing::ScriptedDialogs;

namespace {

// An object whose event handler fails with the failure it was given.
class FailingReceiver : public QObject
{
public:
    std::function<void()> fail;

    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User)
            fail();
        return QObject::event(e);
    }
};

} // namespace

class TstErrorHandler : public QObject
{
    Q_OBJECT

private slots:
    void failuresShowTheirMessage_data();
    void failuresShowTheirMessage();
    void silentAbortShowsNothing();
    void successfulCommandShowsNothing();
    void failureEscapingAnEventHandlerIsShownAndTheProgramGoesOn();
};

void TstErrorHandler::failuresShowTheirMessage_data()
{
    QTest::addColumn<std::function<void()>>("fail");
    QTest::addColumn<QString>("message");
    QTest::newRow("engine") << std::function<void()>([] {
        throw connection::EngineError(-206, u"The specified table (nosuch) is not in the database."_s);
    }) << u"The specified table (nosuch) is not in the database."_s;
    QTest::newRow("program") << std::function<void()>([] { throw Error(u"Cannot create file /x/Report.html"_s); })
                             << u"Cannot create file /x/Report.html"_s;
    QTest::newRow("cyrillic") << std::function<void()>([] { throw Error(u"Ошибка подключения к базе"_s); })
                              << u"Ошибка подключения к базе"_s;
    QTest::newRow("standard") << std::function<void()>([] { throw std::runtime_error("disk full"); })
                              << u"disk full"_s;
}

void TstErrorHandler::failuresShowTheirMessage()
{
    QFETCH(std::function<void()>, fail);
    QFETCH(QString, message);
    ScriptedDialogs dialogs;
    app::ErrorHandler handler(dialogs);
    bool after = false;
    QVERIFY(!handler.run([&] {
        fail();
        after = true;
    }));
    QVERIFY(!after);
    QCOMPARE(dialogs.messages().size(), 1);
    QCOMPARE(dialogs.messages()[0].text, message);
    QCOMPARE(dialogs.messages()[0].icon, Dialogs::Icon::Error);
}

void TstErrorHandler::silentAbortShowsNothing()
{
    ScriptedDialogs dialogs;
    app::ErrorHandler handler(dialogs);
    QVERIFY(!handler.run([] { throw SilentAbort(); }));
    QVERIFY(dialogs.calls().isEmpty());
}

void TstErrorHandler::successfulCommandShowsNothing()
{
    ScriptedDialogs dialogs;
    app::ErrorHandler handler(dialogs);
    int runs = 0;
    QVERIFY(handler.run([&] { ++runs; }));
    QCOMPARE(runs, 1);
    QVERIFY(dialogs.calls().isEmpty());
}

void TstErrorHandler::failureEscapingAnEventHandlerIsShownAndTheProgramGoesOn()
{
    auto *application = qobject_cast<app::QuollApplication *>(QCoreApplication::instance());
    QVERIFY(application);
    ScriptedDialogs dialogs;
    app::ErrorHandler handler(dialogs);
    application->setErrorHandler(&handler);
    FailingReceiver receiver;

    receiver.fail = [] { throw connection::EngineError(-329, u"Database not found or no system permission."_s); };
    QEvent first(QEvent::User);
    QCoreApplication::sendEvent(&receiver, &first);
    receiver.fail = [] { throw SilentAbort(); };
    QEvent second(QEvent::User);
    QCoreApplication::sendEvent(&receiver, &second);
    application->setErrorHandler(nullptr);

    QCOMPARE(dialogs.messages().size(), 1);
    QCOMPARE(dialogs.messages()[0].text, u"Database not found or no system permission."_s);
}

QUOLL_TEST(TstErrorHandler);
#include "tst_errorhandler.moc"
