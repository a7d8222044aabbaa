#include "widgets/flowlayout.h"

#include "testregistry.h"

#include <QPushButton>
#include <QTest>

using quoll::widgets::FlowLayout;

namespace {

constexpr int Side = 40;

QList<QPushButton *> addButtons(QWidget &host, FlowLayout *layout, int count)
{
    QList<QPushButton *> buttons;
    for (int i = 0; i < count; ++i) {
        auto *button = new QPushButton(&host);
        button->setFixedSize(Side, Side);
        layout->addWidget(button);
        buttons.append(button);
    }
    return buttons;
}

} // namespace

class TstFlowLayout : public QObject
{
    Q_OBJECT

private slots:
    void wrapsWhenRowIsFull_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("spacing");
        QTest::addColumn<int>("perRow");
        QTest::newRow("seven in 90 px") << 90 << 0 << 2;
        QTest::newRow("exact fit of two") << 80 << 0 << 2;
        QTest::newRow("one pixel short of two") << 79 << 0 << 1;
        QTest::newRow("spacing between buttons") << 95 << 5 << 2;
        QTest::newRow("spacing makes two not fit") << 84 << 5 << 1;
        QTest::newRow("all in one row") << 300 << 0 << 7;
        QTest::newRow("narrower than a button") << 30 << 0 << 1;
    }

    void wrapsWhenRowIsFull()
    {
        QFETCH(int, width);
        QFETCH(int, spacing);
        QFETCH(int, perRow);
        QWidget host;
        auto *layout = new FlowLayout(&host, spacing);
        const QList<QPushButton *> buttons = addButtons(host, layout, 7);

        const int rows = (7 + perRow - 1) / perRow;
        const int height = rows * Side + (rows - 1) * spacing;
        QCOMPARE(layout->heightForWidth(width), height);
        layout->setGeometry(QRect(0, 0, width, height));
        for (int i = 0; i < 7; ++i) {
            const QPoint expected((i % perRow) * (Side + spacing), (i / perRow) * (Side + spacing));
            QCOMPARE(buttons[i]->geometry(), QRect(expected, QSize(Side, Side)));
        }
    }

    void marginsAndHiddenItems()
    {
        QWidget host;
        auto *layout = new FlowLayout(&host);
        layout->setContentsMargins(3, 4, 5, 6);
        const QList<QPushButton *> buttons = addButtons(host, layout, 4);
        host.show();
        buttons[1]->hide(); // takes no place in the rows

        // 3 + 2 * 40 + 5: exactly two buttons fit between the margins.
        QCOMPARE(layout->heightForWidth(88), 4 + 2 * Side + 6);
        layout->setGeometry(QRect(0, 0, 88, 200));
        QCOMPARE(buttons[0]->pos(), QPoint(3, 4));
        QCOMPARE(buttons[2]->pos(), QPoint(3 + Side, 4));
        QCOMPARE(buttons[3]->pos(), QPoint(3, 4 + Side));
    }
};

QUOLL_TEST(TstFlowLayout);

#include "tst_flowlayout.moc"
