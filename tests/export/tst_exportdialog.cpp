#include "scripteddialogs.h"
#include "testregistry.h"

#include "connection/engine/dataset.h"
#include "export/exportdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quoll::exporting::DelimitedOptions;
using quoll::exporting::ExportDialog;
using quoll::testing::ScriptedDialogs;

// The delimited-text export dialog: its controls as they start, the
// helpers that enable them, and what OK hands to the export.
class TstExportDialog : public QObject
{
    Q_OBJECT

    template<class T>
    static T *find(const ExportDialog &dialog, const char *name)
    {
        return dialog.findChild<T *>(QString::fromLatin1(name));
    }

private slots:
    void modalDialogOfFixedSize()
    {
        ExportDialog dialog;
        QCOMPARE(dialog.objectName(), u"fmExport"_s);
        QCOMPARE(dialog.windowTitle(), u"Экспорт в файл"_s);
        QVERIFY(dialog.isModal());
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QVERIFY(!dialog.minimumSize().isEmpty());
        const QSize fixed = dialog.size();
        dialog.resize(fixed * 2);
        QCOMPARE(dialog.size(), fixed);
    }

    void controlsStartAsTheDialogIsMeant_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("checked");
        QTest::newRow("header") << u"cbNeedHeader"_s << u"Заголовок"_s << true;
        QTest::newRow("quote header") << u"cbNeedQuotHeader"_s << u"Окавычить заголовок"_s << true;
        QTest::newRow("data") << u"cbNeedData"_s << u"Данные"_s << true;
        QTest::newRow("quote data") << u"cbNeedQuotData"_s << u"Окавычить строки"_s << true;
        QTest::newRow("divider after last") << u"cbNeedDivAfterLast"_s << u"Разделитель после последней колонки"_s
                                            << false;
        QTest::newRow("fetch first") << u"cbFetchBeforeExport"_s << u"Фетчить все до экспорта"_s << true;
        QTest::newRow("CR LF") << u"rbRow1"_s << u"CR/LF (#13#10)"_s << true;
        QTest::newRow("CR") << u"rbRow2"_s << u"CR (#13)"_s << false;
        QTest::newRow("LF") << u"rbRow3"_s << u"LF (#10)"_s << false;
        QTest::newRow("other row") << u"rbRow4"_s << u"Другой"_s << false;
        QTest::newRow("tab") << u"rbCol1"_s << u"Табуляция"_s << true;
        QTest::newRow("semicolon") << u"rbCol2"_s << u"Точка с запятой \";\""_s << false;
        QTest::newRow("bar") << u"rbCol3"_s << u"Символ \"|\""_s << false;
        QTest::newRow("comma") << u"rbCol4"_s << u"Запятая \",\""_s << false;
        QTest::newRow("blank") << u"rbCol5"_s << u"Пробел"_s << false;
        QTest::newRow("other column") << u"rbCol6"_s << u"Другой"_s << false;
    }
    void controlsStartAsTheDialogIsMeant()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, checked);
        ExportDialog dialog;
        auto *button = dialog.findChild<QAbstractButton *>(name);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->isChecked(), checked);
    }

    void theRestOfTheDialog()
    {
        ExportDialog dialog;
        auto *pages = find<QTabWidget>(dialog, "PageControl1");
        QCOMPARE(pages->tabText(0), u"Общие параметры"_s);
        QCOMPARE(pages->tabText(1), u"Дополнительные параметры"_s);
        QCOMPARE(find<QLabel>(dialog, "Label1")->text(), u"В буфер обмена, в блокнот"_s);
        QCOMPARE(find<QLabel>(dialog, "Label3")->text(), u"Сохранить в"_s);
        QVERIFY(!find<QComboBox>(dialog, "cbFileName")->isEnabled());
        QCOMPARE(dialog.fileName(), QDir::home().filePath(u"1.txt"_s));
        QCOMPARE(find<QPushButton>(dialog, "Button2")->text(), u"OK"_s);
        QCOMPARE(find<QPushButton>(dialog, "Button3")->text(), u"Отмена"_s);
        QCOMPARE(find<QPushButton>(dialog, "btGetFileName")->text(), u"..."_s);
        QVERIFY(find<QComboBox>(dialog, "cbHeaderQuot")->isEnabled());
        QVERIFY(!find<QComboBox>(dialog, "cbRowDivider")->isEnabled());
        QVERIFY(!find<QComboBox>(dialog, "cbColDivider")->isEnabled());
    }

    void helpersEnableTheirBoxes()
    {
        ExportDialog dialog;
        find<QRadioButton>(dialog, "rbRow4")->click();
        QVERIFY(find<QComboBox>(dialog, "cbRowDivider")->isEnabled());
        find<QRadioButton>(dialog, "rbRow2")->click();
        QVERIFY(!find<QComboBox>(dialog, "cbRowDivider")->isEnabled());
        find<QRadioButton>(dialog, "rbCol6")->click();
        QVERIFY(find<QComboBox>(dialog, "cbColDivider")->isEnabled());
        find<QCheckBox>(dialog, "cbNeedQuotHeader")->click();
        QVERIFY(!find<QComboBox>(dialog, "cbHeaderQuot")->isEnabled());
        find<QCheckBox>(dialog, "cbNeedQuotData")->click();
        QVERIFY(!find<QComboBox>(dialog, "cbDataQuot")->isEnabled());
        find<QCheckBox>(dialog, "cbNeedQuotData")->click();
        QVERIFY(find<QComboBox>(dialog, "cbDataQuot")->isEnabled());
    }

    // With the defaults the quote characters are missing: OK is refused
    // before anything is written, until they are given.
    void okIsRefusedWithoutQuoteCharacters()
    {
        ExportDialog dialog;
        ScriptedDialogs dialogs;
        QList<DelimitedOptions> exported;
        QStringList paths;
        dialog.setServices(&dialogs, [&](quoll::connection::Dataset &, const QString &path,
                                         const DelimitedOptions &options, bool fetch) {
            exported.append(options);
            paths.append(path);
            QVERIFY(fetch);
        });
        quoll::connection::Dataset dataset;
        dialog.setExportDataSet(&dataset);
        find<QPushButton>(dialog, "Button2")->click();
        QCOMPARE(exported.size(), 0);
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY(dialogs.messages().first().text.contains(u"Окавычить заголовок"_s));

        find<QComboBox>(dialog, "cbHeaderQuot")->setEditText(u"'"_s);
        find<QComboBox>(dialog, "cbDataQuot")->setEditText(u"\""_s);
        find<QRadioButton>(dialog, "rbRow4")->click();
        find<QComboBox>(dialog, "cbRowDivider")->setEditText(u"\\n"_s);
        find<QRadioButton>(dialog, "rbCol3")->click();
        find<QCheckBox>(dialog, "cbNeedDivAfterLast")->click();
        dialogs.answerSaveFile(u"/tmp/out.csv"_s);
        find<QPushButton>(dialog, "btGetFileName")->click();
        QCOMPARE(dialogs.calls().last().title, u"Сохранить как ..."_s);
        find<QPushButton>(dialog, "Button2")->click();
        QCOMPARE(exported.size(), 1);
        QCOMPARE(paths, QStringList{u"/tmp/out.csv"_s});
        const DelimitedOptions &o = exported.first();
        QCOMPARE(o.rowDivider, u"\\n"_s);   // as typed: no escapes
        QCOMPARE(o.columnDivider, u"|"_s);
        QCOMPARE(o.headerQuote, std::optional<QChar>(u'\''));
        QCOMPARE(o.dataQuote, std::optional<QChar>(u'"'));
        QVERIFY(o.dividerAfterLast && o.header && o.data);
        // The dialog stays open for another export.
        QCOMPARE(dialog.result(), 0);
    }
};

QUOLL_TEST(TstExportDialog);

#include "tst_exportdialog.moc"
