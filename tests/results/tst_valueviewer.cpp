#include "results/valueviewer.h"

#include "testregistry.h"

#include <QPointer>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

using namespace Qt::Literals::StringLiterals;
using quoll::results::ValueViewer;

class TstValueViewer : public QObject
{
    Q_OBJECT

private slots:
    void separateStayOnTopWindowWithCloseOnly()
    {
        ValueViewer viewer;
        QVERIFY(viewer.parent() == nullptr);
        QCOMPARE(viewer.windowTitle(), u"Расширеный просмотр"_s);
        const Qt::WindowFlags flags = viewer.windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Window);
        QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    }

    void showInViewerShowsOrKeepsWindow()
    {
        ValueViewer viewer;
        QVERIFY(!viewer.isVisible());
        viewer.showInViewer(u"first"_s);
        QVERIFY(viewer.isVisible());
        QCOMPARE(viewer.textView()->toPlainText(), u"first"_s);
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));

        // Shown again while visible: new text, same place and size.
        const QRect placed(120, 90, 300, 200);
        viewer.setGeometry(placed);
        QTRY_COMPARE(viewer.geometry(), placed);
        viewer.showInViewer(u"second\nvalue"_s);
        QCoreApplication::processEvents();
        QCOMPARE(viewer.geometry(), placed);
        QCOMPARE(viewer.textView()->toPlainText(), u"second\nvalue"_s);
    }

    void closingOnlyHides()
    {
        auto *viewer = new ValueViewer;
        QPointer<ValueViewer> alive(viewer);
        viewer->showInViewer(u"first"_s);
        QVERIFY(QTest::qWaitForWindowExposed(viewer));
        QVERIFY(viewer->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(alive);
        QVERIFY(!viewer->isVisible());

        viewer->showInViewer(u"again"_s);
        QVERIFY(viewer->isVisible());
        QCOMPARE(viewer->textView()->toPlainText(), u"again"_s);
        delete viewer;
    }

    void textIsReadOnlyAndWraps()
    {
        ValueViewer viewer;
        const QString longLine = u"word "_s.repeated(200);
        viewer.showInViewer(longLine);
        QVERIFY(QTest::qWaitForWindowExposed(&viewer));
        QTest::keyClicks(viewer.textView(), u"typed"_s);
        QCOMPARE(viewer.textView()->toPlainText(), longLine);
        // The one long line is shown on several screen lines.
        const QTextBlock block = viewer.textView()->document()->firstBlock();
        QTRY_VERIFY(block.layout() && block.layout()->lineCount() > 1);
    }
};

QUOLL_TEST(TstValueViewer);

#include "tst_valueviewer.moc"
