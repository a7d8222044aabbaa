#include "connection/engine/engineerror.h"

#include "testregistry.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quoll::connection::EngineError;

class TstEngineError : public QObject
{
    Q_OBJECT

private slots:
    void caughtAsErrorWithCodeAndMessage_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing table") << -206 << u"The specified table (orders) is not in the database."_s;
        QTest::newRow("non-ASCII text") << -201 << u"Синтаксическая ошибка «select»"_s;
        QTest::newRow("no native code") << 0 << u"Connection lost"_s;
    }

    void caughtAsErrorWithCodeAndMessage()
    {
        QFETCH(int, code);
        QFETCH(QString, message);
        try {
            throw EngineError(code, message);
        } catch (const quoll::Error &error) {
            QCOMPARE(error.message(), message);
            QCOMPARE(QString::fromUtf8(error.what()), message);
            const auto *engine = dynamic_cast<const EngineError *>(&error);
            QVERIFY(engine);
            QCOMPARE(engine->nativeCode(), code);
            return;
        }
        QFAIL("the engine error was not caught as an error");
    }
};

QUOLL_TEST(TstEngineError);

#include "tst_engineerror.moc"
