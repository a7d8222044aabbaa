#include "testregistry.h"

#include "core/namelist.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The list of remembered names: newest first, no repeats, at most five.
class TstNameList : public QObject
{
    Q_OBJECT

private slots:
    void rememberName_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("expected");
        const QStringList five{u"e"_s, u"d"_s, u"c"_s, u"b"_s, u"a"_s};
        QTest::newRow("into an empty list") << QStringList() << u"ann"_s << QStringList{u"ann"_s};
        QTest::newRow("third moves to the top") << five << u"c"_s << QStringList{u"c"_s, u"e"_s, u"d"_s, u"b"_s, u"a"_s};
        QTest::newRow("first stays first") << five << u"e"_s << five;
        QTest::newRow("a new one drops the oldest") << five << u"f"_s
                                                    << QStringList{u"f"_s, u"e"_s, u"d"_s, u"c"_s, u"b"_s};
        QTest::newRow("letter case makes another name")
            << QStringList{u"ann"_s} << u"Ann"_s << QStringList{u"Ann"_s, u"ann"_s};
        QTest::newRow("every copy goes") << QStringList{u"x"_s, u"y"_s, u"x"_s} << u"x"_s
                                         << QStringList{u"x"_s, u"y"_s};
        QTest::newRow("seven loaded, five kept")
            << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s} << u"6"_s
            << QStringList{u"6"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s};
        QTest::newRow("an empty name is a name") << QStringList{u"a"_s} << QString() << QStringList{QString(), u"a"_s};
    }

    void rememberName()
    {
        QFETCH(QStringList, list);
        QFETCH(QString, name);
        QFETCH(QStringList, expected);
        quoll::RememberName(list, name);
        QCOMPARE(list, expected);
    }
};

QUOLL_TEST(TstNameList);
#include "tst_namelist.moc"
