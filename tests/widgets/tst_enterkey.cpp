#include "testregistry.h"

#include "widgets/enterkey.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

// Enter in a filter box runs its search exactly once, wherever the key
// arrives, and goes no further.
class TstEnterKey : public QObject
{
    Q_OBJECT

private slots:
    void runsOnceForEnterInAnEditableBox()
    {
        QComboBox box;
        box.setEditable(true);
        int runs = 0;
        quoll::widgets::onEnterKey(&box, [&runs] { ++runs; });
        QTest::keyClick(&box, Qt::Key_Return);
        QCOMPARE(runs, 1);
        QTest::keyClick(box.lineEdit(), Qt::Key_Return);
        QCOMPARE(runs, 2);
        QTest::keyClick(&box, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(runs, 3);
        QTest::keyClicks(&box, QStringLiteral("ab"));
        QCOMPARE(runs, 3);
        QCOMPARE(box.currentText(), QStringLiteral("ab"));
    }
};

QUOLL_TEST(TstEnterKey);
#include "tst_enterkey.moc"
