#include "export/exportdialog.h"

#include "testregistry.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TstExportDialog : public QObject
{
    Q_OBJECT

private slots:
    void modalDialogOfFixedSize()
    {
        quoll::exporting::ExportDialog dialog;
        QCOMPARE(dialog.objectName(), u"fmExport"_s);
        QCOMPARE(dialog.windowTitle(), u"Экспорт в файл"_s);
        QVERIFY(dialog.isModal());
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QVERIFY(!dialog.minimumSize().isEmpty());
        const QSize fixed = dialog.size();
        dialog.resize(fixed * 2);
        QCOMPARE(dialog.size(), fixed);
    }
};

QUOLL_TEST(TstExportDialog);

#include "tst_exportdialog.moc"
