#include "app/logpage.h"

#include "widgets/panesplitter.h"
#include "widgets/reportlist.h"
#include "widgets/screenscale.h"

#include <QHeaderView>
#include <QVBoxLayout>

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

    m_model = new widgets::ReportListModel({u"Время"_s, u"Сообщение"_s, u"Дополнительно"_s}, this);
    m_list = new widgets::ReportList(this);
    m_list->setObjectName(u"lwLog"_s);
    m_list->setModel(m_model);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    QHeaderView *header = m_list->horizontalHeader();
    header->resizeSection(0, widgets::scaled(60));
    header->resizeSection(1, widgets::scaled(200));
    header->setStretchLastSection(true);

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

} // namespace quoll::app
