#include "app/logpage.h"

#include "app/logmodel.h"
#include "widgets/panesplitter.h"
#include "widgets/reportlist.h"
#include "widgets/screenscale.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace quoll::app {

using widgets::PaneSplitter;

namespace {
constexpr int DefaultDetailHeight = 70;
}

LogPage::LogPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"tsLog"_s);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_model = new LogModel(this);
    m_list = new widgets::ReportList(this);
    m_list->setObjectName(u"lwLog"_s);
    m_list->setModel(m_model);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    // Copying an entry goes through the pop-up menu's command only.
    m_list->setCopyKeyEnabled(false);
    QHeaderView *header = m_list->horizontalHeader();
    // The 60 pixels were chosen for a font that is narrower than what Linux
    // puts in its place; a time of day must never show cut off.
    const int timeWidth = m_list->fontMetrics().horizontalAdvance(LogModel::timeText(QTime(23, 59, 59))) + 12;
    header->resizeSection(LogModel::TimeColumn, std::max(widgets::scaled(60), timeWidth));
    header->resizeSection(LogModel::MessageColumn, widgets::scaled(200));
    header->setStretchLastSection(true);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this, &LogPage::lwLogSelectItem);

    m_splitter = new PaneSplitter(PaneSplitter::Resizes::Height, widgets::scaled(4), this);
    m_splitter->setObjectName(u"Splitter10"_s);

    m_detail = new QPlainTextEdit(this);
    m_detail->setObjectName(u"mmLog"_s);
    m_detail->setReadOnly(true);
    m_detail->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_detail->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_detail->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_detail->setMinimumHeight(10);
    m_detail->setFixedHeight(DefaultDetailHeight);
    m_splitter->setPane(m_detail, PaneSplitter::Side::After, 10);

    layout->addWidget(m_list, 1);
    layout->addWidget(m_splitter);
    layout->addWidget(m_detail);
}

void LogPage::addEntry(const QString &message, const QString &details)
{
    m_model->append(message, details);
}

void LogPage::showLastEntry()
{
    const int rows = m_model->rowCount();
    if (rows == 0)
        return;
    const QModelIndex last = m_model->index(rows - 1, 0);
    m_list->scrollTo(last, QAbstractItemView::EnsureVisible);
    m_list->selectionModel()->setCurrentIndex(
        last, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void LogPage::clear()
{
    m_model->clear();
}

std::optional<QString> LogPage::selectedDetails() const
{
    const int row = m_list->selectedRow();
    if (row < 0)
        return std::nullopt;
    return m_model->entry(row).details;
}

// Only a newly selected entry changes the memo; losing the selection (also
// by clearing the log) leaves it as it is.
void LogPage::lwLogSelectItem()
{
    if (const std::optional<QString> details = selectedDetails())
        m_detail->setPlainText(*details);
}

} // namespace quoll::app
