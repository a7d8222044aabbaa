#include "widgets/statusbar.h"

#include "testregistry.h"

#include <QTest>

using quoll::widgets::StatusBar;

namespace {

const QList<StatusBar::Panel> panels{{120, true}, {80, false}, {200, true}, {150, true}};

// The colour drawn in the middle of an empty panel, where the bar's
// background shows through.
QColor backgroundInPanel(StatusBar &bar, int index)
{
    const QImage image = bar.grab().toImage();
    const QLabel *label = bar.panel(index);
    return image.pixelColor(label->mapTo(&bar, label->rect().center()) * image.devicePixelRatio());
}

} // namespace

class TstStatusBar : public QObject
{
    Q_OBJECT

private slots:
    void onlyLastPanelStretches()
    {
        StatusBar bar(panels);
        QCOMPARE(bar.panelCount(), 4);
        bar.resize(900, 30);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        const int lastWidth = bar.panel(3)->width();
        QVERIFY(lastWidth > 150);

        bar.resize(1100, 30);
        QTRY_COMPARE(bar.panel(3)->width(), lastWidth + 200);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(bar.panel(i)->width(), panels[i].width);

        bar.resize(300, 30);
        QTRY_VERIFY(bar.panel(3)->width() < lastWidth);
        QVERIFY(bar.panel(3)->width() >= 150);
    }

    void bevelDecidesFrame()
    {
        StatusBar bar(panels);
        for (int i = 0; i < bar.panelCount(); ++i) {
            QCOMPARE(bar.panel(i)->frameWidth() > 0, panels[i].bevel);
            if (panels[i].bevel)
                QCOMPARE(bar.panel(i)->frameShadow(), QFrame::Sunken);
        }
    }

    void alarmTurnsBarRedAndBack()
    {
        StatusBar bar(panels);
        bar.resize(900, 30);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        const QColor buttonFace = bar.palette().color(QPalette::Button);
        QVERIFY(buttonFace != QColor(Qt::red));

        bar.setAlarm(true);
        QVERIFY(bar.isAlarm());
        QCOMPARE(backgroundInPanel(bar, 1), QColor(Qt::red));
        QCOMPARE(backgroundInPanel(bar, 3), QColor(Qt::red));

        bar.setAlarm(false);
        QVERIFY(!bar.isAlarm());
        QCOMPARE(bar.palette().color(QPalette::Window), buttonFace);
        QCOMPARE(backgroundInPanel(bar, 1), buttonFace);
    }
};

QUOLL_TEST(TstStatusBar);

#include "tst_statusbar.moc"
