#include "workspace/editorpages.h"

#include "editor/sqledit.h"

#include "testregistry.h"

#include <QTabBar>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quoll::editor::SqlEdit;
using quoll::workspace::EditorPages;

class TstEditorPages : public QObject
{
    Q_OBJECT

private slots:
    void fivePagesInOrderWithTheirEditors()
    {
        EditorPages pages;
        QCOMPARE(pages.count(), 5);
        QCOMPARE(pages.tabBar()->shape(), QTabBar::RoundedWest);
        for (int i = 0; i < pages.count(); ++i) {
            const int number = i + 1;
            QWidget *page = pages.widget(i);
            QCOMPARE(page->objectName(), u"tsSQLText%1"_s.arg(number));
            QCOMPARE(pages.tabText(i), QString::number(number));
            QCOMPARE(EditorPages::tagOf(page), number);
            const QList<SqlEdit *> editors = page->findChildren<SqlEdit *>();
            QCOMPARE(editors.size(), 1);
            QCOMPARE(editors.first()->objectName(), u"mmSQL%1"_s.arg(number));
            QCOMPARE(pages.editor(number), editors.first());
        }
    }

    void currentEditorFollowsActivePage()
    {
        EditorPages pages;
        QCOMPARE(pages.currentEditor(), pages.editor(1));
        for (int index : {3, 1, 4}) {
            pages.setCurrentIndex(index);
            QCOMPARE(pages.currentEditor(), pages.editor(index + 1));
        }
    }

    void pageWithForeignTagHasNoEditor_data()
    {
        QTest::addColumn<QVariant>("tag");
        QTest::newRow("tag 7") << QVariant(7);
        QTest::newRow("tag removed") << QVariant();
    }

    void pageWithForeignTagHasNoEditor()
    {
        QFETCH(QVariant, tag);
        EditorPages pages;
        pages.setCurrentIndex(2);
        pages.widget(2)->setProperty("tag", tag);
        QVERIFY(pages.currentEditor() == nullptr);
        pages.setCurrentIndex(1);
        QCOMPARE(pages.currentEditor(), pages.editor(2));
    }

    void editorsAreIndependent()
    {
        EditorPages pages;
        pages.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pages));
        QTest::keyClicks(pages.currentEditor(), u"select 1"_s);
        pages.setCurrentIndex(3);
        QTest::keyClicks(pages.currentEditor(), u"drop"_s);

        QCOMPARE(pages.editor(1)->text(), u"select 1"_s);
        QCOMPARE(pages.editor(4)->text(), u"drop"_s);
        for (int number : {2, 3, 5})
            QVERIFY(pages.editor(number)->text().isEmpty());
    }
};

QUOLL_TEST(TstEditorPages);

#include "tst_editorpages.moc"
