#include "widgets/panesplitter.h"

#include "testregistry.h"

#include <QApplication>
#include <QBoxLayout>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

using quoll::widgets::PaneSplitter;
using Resizes = PaneSplitter::Resizes;
using Side = PaneSplitter::Side;

namespace {

constexpr int StartSize = 100;
constexpr int MinimumSize = 20;

// A 600x400 window with the pane, a 4-pixel bar and a filling neighbour in
// a row (Width) or a column (Height); the pane stands on `side` of the bar.
struct SplitterWindow
{
    SplitterWindow(Resizes what, Side side)
    {
        auto *layout = new QBoxLayout(what == Resizes::Width ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom,
                                      &window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        auto *filler = new QWidget;
        splitter = new PaneSplitter(what, 4);
        layout->addWidget(side == Side::Before ? pane : filler);
        layout->addWidget(splitter);
        layout->addWidget(side == Side::Before ? filler : pane);
        splitter->setPane(pane, side, MinimumSize);
        splitter->setPaneSize(StartSize);
        window.resize(600, 400);
        window.show();
    }

    void send(QEvent::Type type, QPoint global, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, QPointF(splitter->mapFromGlobal(global)), QPointF(global), button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(splitter, &event);
    }

    // Presses on the middle of the bar, moves by `delta` and releases.
    void drag(QPoint delta, Qt::MouseButton button = Qt::LeftButton)
    {
        const QPoint start = splitter->mapToGlobal(splitter->rect().center());
        send(QEvent::MouseButtonPress, start, button, button);
        send(QEvent::MouseMove, start + delta, Qt::NoButton, button);
        send(QEvent::MouseButtonRelease, start + delta, button, Qt::NoButton);
    }

    QWidget window;
    QWidget *pane = new QWidget;
    PaneSplitter *splitter = nullptr;
};

} // namespace

class TstPaneSplitter : public QObject
{
    Q_OBJECT

private slots:
    void dragResizesPane_data()
    {
        QTest::addColumn<Resizes>("what");
        QTest::addColumn<Side>("side");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<int>("expected");
        const auto W = Resizes::Width;
        const auto H = Resizes::Height;
        QTest::newRow("left pane widens when dragged right") << W << Side::Before << QPoint(30, 0) << 130;
        QTest::newRow("right pane narrows when dragged right") << W << Side::After << QPoint(30, 0) << 70;
        QTest::newRow("width bar ignores vertical moves") << W << Side::Before << QPoint(0, 50) << 100;
        QTest::newRow("left pane stops at minimum") << W << Side::Before << QPoint(-500, 0) << MinimumSize;
        QTest::newRow("right pane stops at minimum") << W << Side::After << QPoint(500, 0) << MinimumSize;
        QTest::newRow("top pane grows when dragged down") << H << Side::Before << QPoint(0, 25) << 125;
        QTest::newRow("bottom pane shrinks when dragged down") << H << Side::After << QPoint(0, 25) << 75;
        QTest::newRow("height bar ignores horizontal moves") << H << Side::After << QPoint(50, 0) << 100;
        QTest::newRow("top pane stops at minimum") << H << Side::Before << QPoint(0, -300) << MinimumSize;
    }

    void dragResizesPane()
    {
        QFETCH(Resizes, what);
        QFETCH(Side, side);
        QFETCH(QPoint, delta);
        QFETCH(int, expected);

        SplitterWindow w(what, side);
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        QSignalSpy resized(w.splitter, &PaneSplitter::paneResized);
        w.drag(delta);

        const bool width = what == Resizes::Width;
        QCOMPARE(width ? w.pane->width() : w.pane->height(), expected);
        QVERIFY(!resized.isEmpty());
        QCOMPARE(resized.last().at(0).toInt(), expected);
        // The layout follows, so the bar ends up next to the resized pane.
        const int extent = width ? 600 : 400;
        QTRY_COMPARE(width ? w.splitter->x() : w.splitter->y(),
                     side == Side::Before ? expected : extent - 4 - expected);
    }

    void onlyLeftButtonPressDrags()
    {
        SplitterWindow w(Resizes::Width, Side::Before);
        w.drag(QPoint(40, 0));
        QCOMPARE(w.pane->width(), StartSize + 40);

        // Neither another button nor a move after the release resizes.
        QSignalSpy resized(w.splitter, &PaneSplitter::paneResized);
        w.drag(QPoint(40, 0), Qt::RightButton);
        const QPoint middle = w.splitter->mapToGlobal(w.splitter->rect().center());
        w.send(QEvent::MouseMove, middle + QPoint(80, 0), Qt::NoButton, Qt::NoButton);
        QCOMPARE(w.pane->width(), StartSize + 40);
        QCOMPARE(resized.count(), 0);
    }
};

QUOLL_TEST(TstPaneSplitter);

#include "tst_panesplitter.moc"
