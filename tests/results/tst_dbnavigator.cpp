#include "results/dbnavigator.h"

#include "testregistry.h"

#include <QSet>
#include <QTest>

#include <algorithm>

using quoll::results::DBNavigator;

namespace {

// The navigator's buttons as they stand on screen, left to right.
QList<QToolButton *> buttonsLeftToRight(const DBNavigator &navigator)
{
    QList<QToolButton *> buttons = navigator.findChildren<QToolButton *>();
    std::sort(buttons.begin(), buttons.end(), [](auto *a, auto *b) { return a->x() < b->x(); });
    return buttons;
}

} // namespace

class TstDBNavigator : public QObject
{
    Q_OBJECT

private slots:
    void tenButtonsInNavigationOrder()
    {
        DBNavigator navigator;
        navigator.show();
        QVERIFY(QTest::qWaitForWindowExposed(&navigator));
        const QList<QToolButton *> buttons = buttonsLeftToRight(navigator);
        QCOMPARE(buttons.size(), 10);

        QList<DBNavigator::Button> clicked;
        connect(&navigator, &DBNavigator::clicked, this, [&clicked](auto which) { clicked.append(which); });
        for (QToolButton *button : buttons) {
            QVERIFY(!button->isEnabled()); // no data set attached yet
            QTest::mouseClick(button, Qt::LeftButton);
        }
        QVERIFY(clicked.isEmpty());

        for (QToolButton *button : buttons) {
            button->setEnabled(true);
            QTest::mouseClick(button, Qt::LeftButton);
        }
        const QList<DBNavigator::Button> expected{DBNavigator::First,  DBNavigator::Prior, DBNavigator::Next,
                                                  DBNavigator::Last,   DBNavigator::Insert, DBNavigator::Delete,
                                                  DBNavigator::Edit,   DBNavigator::Post,  DBNavigator::Cancel,
                                                  DBNavigator::Refresh};
        QCOMPARE(clicked, expected);
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(navigator.button(expected[i]), buttons[i]);
    }

    void everyButtonHasItsOwnIconAndHint()
    {
        DBNavigator navigator;
        QSet<QString> hints;
        QList<QImage> pictures;
        for (int i = 0; i < DBNavigator::ButtonCount; ++i) {
            const QToolButton *button = navigator.button(DBNavigator::Button(i));
            QVERIFY(!button->toolTip().isEmpty());
            hints.insert(button->toolTip());
            QVERIFY(!button->icon().isNull());
            const QImage picture = button->icon().pixmap(QSize(20, 20), 1.0).toImage();
            QVERIFY2(!pictures.contains(picture), qPrintable(button->objectName()));
            pictures.append(picture);
        }
        QCOMPARE(hints.size(), int(DBNavigator::ButtonCount));
    }
};

QUOLL_TEST(TstDBNavigator);

#include "tst_dbnavigator.moc"
