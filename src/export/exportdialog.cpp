#include "export/exportdialog.h"

#include "core/dialogs.h"
#include "widgets/pagecontrol.h"
#include "widgets/screenscale.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quoll::exporting {

namespace {

QCheckBox *checkBox(const QString &name, const QString &caption, bool ticked, QWidget *parent)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setChecked(ticked);
    return box;
}

// An editable combo box of at most `length` characters.
QComboBox *editBox(const QString &name, int length, bool enabled, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    if (length > 0)
        box->lineEdit()->setMaxLength(length);
    box->setEnabled(enabled);
    return box;
}

QRadioButton *radio(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    return button;
}

} // namespace

ExportDialog::ExportDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(u"fmExport"_s);
    setWindowTitle(u"Экспорт в файл"_s);
    setModal(true);
    QFont font(u"Verdana"_s);
    font.setPixelSize(widgets::scaled(13));
    setFont(font);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    auto *pages = new widgets::PageControl(QTabWidget::North, this);
    pages->setObjectName(u"PageControl1"_s);
    pages->addTab(buildGeneralPage(), u"Общие параметры"_s);

    auto *more = new QWidget(pages);
    more->setObjectName(u"TabSheet2"_s);
    auto *moreLayout = new QGridLayout(more);
    moreLayout->addWidget(new QLabel(u"Decimal Separator"_s, more), 0, 0);
    moreLayout->addWidget(new QLabel(u"date format"_s, more), 1, 0);
    moreLayout->addWidget(new QLabel(u"Time format"_s, more), 2, 0);
    auto *edit = new QLineEdit(u"Edit1"_s, more);
    edit->setObjectName(u"Edit1"_s);
    moreLayout->addWidget(edit, 0, 1);
    moreLayout->setRowStretch(3, 1);
    pages->addTab(more, u"Дополнительные параметры"_s);
    pages->setCurrentIndex(0);
    layout->addWidget(pages, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto *ok = new QPushButton(u"OK"_s, this);
    ok->setObjectName(u"Button2"_s);
    ok->setDefault(true);
    auto *cancel = new QPushButton(u"Отмена"_s, this);
    cancel->setObjectName(u"Button3"_s);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *status = new QStatusBar(this);
    status->setObjectName(u"StatusBar1"_s);
    status->setSizeGripEnabled(false);
    for (const int width : {200, 50}) {
        auto *panel = new QLabel(status);
        panel->setFixedWidth(widgets::scaled(width));
        status->addWidget(panel);
    }
    layout->addWidget(status);
    updateEnabled();
    // The design's size, or more when the fonts of this screen need it.
    setFixedSize(sizeHint().expandedTo(QSize(widgets::scaled(437), widgets::scaled(373))));
}

QWidget *ExportDialog::buildGeneralPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(u"TabSheet1"_s);
    auto *grid = new QGridLayout(page);

    m_needHeader = checkBox(u"cbNeedHeader"_s, u"Заголовок"_s, true, page);
    m_needQuotHeader = checkBox(u"cbNeedQuotHeader"_s, u"Окавычить заголовок"_s, true, page);
    m_headerQuot = editBox(u"cbHeaderQuot"_s, 1, true, page);
    m_needData = checkBox(u"cbNeedData"_s, u"Данные"_s, true, page);
    m_needQuotData = checkBox(u"cbNeedQuotData"_s, u"Окавычить строки"_s, true, page);
    m_dataQuot = editBox(u"cbDataQuot"_s, 1, true, page);
    for (QComboBox *quote : {m_headerQuot, m_dataQuot})
        quote->setFixedWidth(widgets::scaled(56));
    m_fetchBeforeExport = checkBox(u"cbFetchBeforeExport"_s, u"Фетчить все до экспорта"_s, true, page);
    grid->addWidget(m_needHeader, 0, 0);
    grid->addWidget(m_needQuotHeader, 0, 1);
    grid->addWidget(m_headerQuot, 0, 2, Qt::AlignLeft);
    grid->addWidget(m_needData, 1, 0);
    grid->addWidget(m_needQuotData, 1, 1);
    grid->addWidget(m_dataQuot, 1, 2, Qt::AlignLeft);

    auto *rows = new QGroupBox(u"Разделитель строк"_s, page);
    rows->setObjectName(u"GroupBox1"_s);
    auto *rowLayout = new QVBoxLayout(rows);
    m_rowButtons = {radio(u"rbRow1"_s, u"CR/LF (#13#10)"_s, rows), radio(u"rbRow2"_s, u"CR (#13)"_s, rows),
                    radio(u"rbRow3"_s, u"LF (#10)"_s, rows), radio(u"rbRow4"_s, u"Другой"_s, rows)};
    m_rowDivider = editBox(u"cbRowDivider"_s, 0, false, rows);
    auto *rowGroup = new QButtonGroup(rows);
    for (QRadioButton *button : m_rowButtons) {
        rowGroup->addButton(button);
        rowLayout->addWidget(button);
        connect(button, &QRadioButton::clicked, this, [this] { updateEnabled(); });
    }
    rowLayout->addWidget(m_rowDivider);
    m_rowButtons.first()->setChecked(true);

    auto *columns = new QGroupBox(u"Разделитель полей"_s, page);
    columns->setObjectName(u"GroupBox2"_s);
    auto *columnLayout = new QVBoxLayout(columns);
    m_columnButtons = {radio(u"rbCol1"_s, u"Табуляция"_s, columns),
                       radio(u"rbCol2"_s, u"Точка с запятой \";\""_s, columns),
                       radio(u"rbCol3"_s, u"Символ \"|\""_s, columns),
                       radio(u"rbCol4"_s, u"Запятая \",\""_s, columns),
                       radio(u"rbCol5"_s, u"Пробел"_s, columns),
                       radio(u"rbCol6"_s, u"Другой"_s, columns)};
    m_columnDivider = editBox(u"cbColDivider"_s, 0, false, columns);
    auto *columnGroup = new QButtonGroup(columns);
    for (QRadioButton *button : m_columnButtons) {
        columnGroup->addButton(button);
        columnLayout->addWidget(button);
        connect(button, &QRadioButton::clicked, this, [this] { updateEnabled(); });
    }
    columnLayout->addWidget(m_columnDivider);
    m_needDivAfterLast =
        checkBox(u"cbNeedDivAfterLast"_s, u"Разделитель после последней колонки"_s, false, columns);
    columnLayout->addWidget(m_needDivAfterLast);
    m_columnButtons.first()->setChecked(true);

    grid->addWidget(rows, 2, 0, 1, 1, Qt::AlignTop);
    grid->addWidget(columns, 2, 1, 1, 2);
    grid->addWidget(m_fetchBeforeExport, 3, 0);
    auto *label1 = new QLabel(u"В буфер обмена, в блокнот"_s, page);
    label1->setObjectName(u"Label1"_s);
    grid->addWidget(label1, 3, 1, 1, 2);

    auto *label3 = new QLabel(u"Сохранить в"_s, page);
    label3->setObjectName(u"Label3"_s);
    m_fileName = editBox(u"cbFileName"_s, 0, false, page);
    // The user's home folder stands where a fixed drive letter would.
    m_fileName->setEditText(QDir::home().filePath(u"1.txt"_s));
    auto *browse = new QPushButton(u"..."_s, page);
    browse->setObjectName(u"btGetFileName"_s);
    browse->setFixedWidth(widgets::scaled(30));
    connect(browse, &QPushButton::clicked, this, [this] { btGetFileNameClick(); });
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(label3);
    fileRow->addWidget(m_fileName, 1);
    fileRow->addWidget(browse);
    grid->addLayout(fileRow, 4, 0, 1, 3);
    grid->setRowStretch(5, 1);

    connect(m_needQuotHeader, &QCheckBox::clicked, this, [this] { updateEnabled(); });
    connect(m_needQuotData, &QCheckBox::clicked, this, [this] { updateEnabled(); });
    return page;
}

// The enabling helpers: a box for "another" divider only with its radio
// button, a quote character only with its quote box.
void ExportDialog::updateEnabled()
{
    m_rowDivider->setEnabled(m_rowButtons.last()->isChecked());
    m_columnDivider->setEnabled(m_columnButtons.last()->isChecked());
    m_headerQuot->setEnabled(m_needQuotHeader->isChecked());
    m_dataQuot->setEnabled(m_needQuotData->isChecked());
}

void ExportDialog::setServices(Dialogs *dialogs, Exporter exporter)
{
    m_dialogs = dialogs;
    m_exporter = std::move(exporter);
}

std::optional<DelimitedOptions> ExportDialog::options(QString *problem) const
{
    DelimitedOptions options;
    const QString rowDividers[] = {u"\r\n"_s, u"\r"_s, u"\n"_s, m_rowDivider->currentText()};
    for (qsizetype i = 0; i < m_rowButtons.size(); ++i)
        if (m_rowButtons[i]->isChecked()) {
            options.rowDivider = rowDividers[i];
            break;
        }
    const QString columnDividers[] = {u"\t"_s, u";"_s, u"|"_s, u","_s, u" "_s, m_columnDivider->currentText()};
    for (qsizetype i = 0; i < m_columnButtons.size(); ++i)
        if (m_columnButtons[i]->isChecked()) {
            options.columnDivider = columnDividers[i];
            break;
        }
    options.header = m_needHeader->isChecked();
    options.data = m_needData->isChecked();
    options.dividerAfterLast = m_needDivAfterLast->isChecked();
    const auto quote = [problem](const QCheckBox *box, const QComboBox *character,
                                 std::optional<QChar> &into) -> bool {
        if (!box->isChecked())
            return true;
        const QString text = character->currentText();
        if (text.isEmpty()) {
            if (problem)
                *problem = u"Не задан символ кавычек: \"%1\" отмечено, а символа нет."_s.arg(box->text());
            return false;
        }
        into = text.at(0);
        return true;
    };
    if (!quote(m_needQuotHeader, m_headerQuot, options.headerQuote)
        || !quote(m_needQuotData, m_dataQuot, options.dataQuote))
        return std::nullopt;
    return options;
}

bool ExportDialog::fetchBeforeExport() const
{
    return m_fetchBeforeExport->isChecked();
}

QString ExportDialog::fileName() const
{
    return m_fileName->currentText();
}

void ExportDialog::Button2Click()
{
    QString problem;
    const std::optional<DelimitedOptions> chosen = options(&problem);
    if (!chosen) {
        if (m_dialogs)
            m_dialogs->message(Dialogs::Icon::Error, windowTitle(), problem);
        return;
    }
    if (m_dataset && m_exporter)
        m_exporter(*m_dataset, fileName(), *chosen, fetchBeforeExport());
}

void ExportDialog::btGetFileNameClick()
{
    if (!m_dialogs)
        return;
    if (const std::optional<QString> name =
            m_dialogs->saveFileName({u"Сохранить как ..."_s, fileName(), QString(), QString(), true}))
        m_fileName->setEditText(*name);
}

} // namespace quoll::exporting
