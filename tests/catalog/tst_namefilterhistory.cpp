#include "testregistry.h"

#include "catalog/namefilter.h"

#include <QComboBox>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quoll::catalog::recordFilterText;

// The five history slots of a filter box move exactly as the user expects:
// the text used last on top, no copies, the oldest dropped.
class TstNameFilterHistory : public QObject
{
    Q_OBJECT

private slots:
    void recordsTheText_data()
    {
        QTest::addColumn<QStringList>("history");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        const QStringList full{u"e"_s, u"d"_s, u"c"_s, u"b"_s, u"a"_s};
        QTest::newRow("into empty slots") << QStringList(5, QString()) << u"cp*"_s
                                          << QStringList{u"cp*"_s, {}, {}, {}, {}};
        QTest::newRow("a new text drops the oldest") << full << u"f"_s
                                                     << QStringList{u"f"_s, u"e"_s, u"d"_s, u"c"_s, u"b"_s};
        QTest::newRow("the same text twice") << full << u"e"_s << full;
        QTest::newRow("an older text moves to the top")
            << full << u"c"_s << QStringList{u"c"_s, u"e"_s, u"d"_s, u"b"_s, u"a"_s};
        QTest::newRow("the oldest moves to the top")
            << full << u"a"_s << QStringList{u"a"_s, u"e"_s, u"d"_s, u"c"_s, u"b"_s};
        QTest::newRow("an empty text is recorded too")
            << QStringList{u"x"_s, u"y"_s, {}, {}, {}} << QString() << QStringList{{}, u"x"_s, u"y"_s, {}, {}};
        QTest::newRow("case makes another text")
            << QStringList{u"abc"_s, {}, {}, {}, {}} << u"ABC"_s << QStringList{u"ABC"_s, u"abc"_s, {}, {}, {}};
    }
    void recordsTheText()
    {
        QFETCH(QStringList, history);
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        recordFilterText(history, text);
        QCOMPARE(history, expected);
    }

    // Six distinct texts through a real box: never more than five slots,
    // the box showing the last one.
    void theBoxKeepsFiveSlots()
    {
        QComboBox box;
        box.setEditable(true);
        for (int i = 0; i < quoll::catalog::FilterHistorySlots; ++i)
            box.addItem(QString());
        QString condition;
        for (const QString &text : {u"a*"_s, u"b*"_s, u"c*"_s, u"d*"_s, u"e*"_s, u"f*"_s}) {
            box.setEditText(text);
            condition.clear();
            quoll::catalog::AddNameFilter(box, u"tabname"_s, condition);
        }
        QCOMPARE(box.count(), 5);
        QCOMPARE(quoll::catalog::filterHistory(box), (QStringList{u"f*"_s, u"e*"_s, u"d*"_s, u"c*"_s, u"b*"_s}));
        QCOMPARE(box.currentText(), u"f*"_s);
        QCOMPARE(condition, u" and (tabname matches \"f*\")"_s);

        box.setEditText(u"d*;;x*"_s);
        condition = u"where 1=1"_s;
        quoll::catalog::AddNameFilter(box, u"procname"_s, condition);
        QCOMPARE(condition, u"where 1=1 and (procname matches \"d*\" or procname matches \"x*\")"_s);
        QCOMPARE(quoll::catalog::filterHistory(box),
                 (QStringList{u"d*;;x*"_s, u"f*"_s, u"e*"_s, u"d*"_s, u"c*"_s}));
    }
};

QUOLL_TEST(TstNameFilterHistory);
#include "tst_namefilterhistory.moc"
