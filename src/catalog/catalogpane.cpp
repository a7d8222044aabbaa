#include "catalog/catalogpane.h"

#include "catalog/namefilter.h"
#include "catalog/proclistmodel.h"
#include "catalog/tablelistmodel.h"
#include "editor/sqledit.h"
#include "widgets/imagelist.h"
#include "widgets/panesplitter.h"
#include "widgets/reportlist.h"
#include "widgets/screenscale.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quoll::catalog {

using widgets::PaneSplitter;
using widgets::ReportList;
using widgets::ReportListModel;

namespace {

constexpr int DefaultListPanelWidth = 185;

// A name filter box with its five history slots and its find button.
QComboBox *makeFilterBox(const QString &name, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setToolTip(u"*tbl;workp*;cp*"_s);
    for (int i = 0; i < FilterHistorySlots; ++i)
        box->addItem(QString());
    box->setCurrentIndex(0);
    box->setEnabled(false);
    box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return box;
}

QToolButton *makeFindButton(const QString &name, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(widgets::ImageList::listIcons().icon(widgets::ListIcon::Find));
    button->setIconSize(QSize(widgets::scaled(16), widgets::scaled(16)));
    button->setToolTip(u"Поиск таблиц"_s);
    button->setAutoRaise(true);
    button->setEnabled(false);
    return button;
}

ReportList *makeList(const QString &name, QAbstractItemModel *model, QWidget *parent)
{
    auto *list = new ReportList(parent);
    list->setObjectName(name);
    // The list look the settings give when they hold none.
    list->setFont(QFont(u"MS Sans Serif"_s, 8));
    list->setModel(model);
    return list;
}

// The left panel of a catalog page: the filter row above its list.
QWidget *makeListPanel(const QString &name, QComboBox *filter, QToolButton *find, ReportList *list,
                       QWidget *parent)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->setFixedWidth(DefaultListPanelWidth);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    auto *row = new QHBoxLayout;
    row->setSpacing(1);
    filter->setParent(panel);
    find->setParent(panel);
    list->setParent(panel);
    row->addWidget(filter, 1);
    row->addWidget(find);
    layout->addLayout(row);
    layout->addWidget(list, 1);
    return panel;
}

QWidget *makePage(const QString &name, QWidget *parent)
{
    auto *page = new QWidget(parent);
    page->setObjectName(name);
    auto *layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return page;
}

} // namespace

CatalogPane::CatalogPane(QWidget *parent) : widgets::PageControl(QTabWidget::West, parent)
{
    setObjectName(u"PageControl1"_s);
    addTab(buildTablePage(), u"T"_s);
    addTab(buildProcPage(), u"SP"_s);
    setCurrentIndex(0);
}

QWidget *CatalogPane::buildTablePage()
{
    QWidget *page = makePage(u"tsTables"_s, this);
    m_tableWild = makeFilterBox(u"cbTableWild"_s, page);
    m_findTable = makeFindButton(u"tbFindTable"_s, page);
    m_tableModel = new TableListModel(this);
    m_tables = makeList(u"lvTables"_s, m_tableModel, page);
    QWidget *panel = makeListPanel(u"Panel5"_s, m_tableWild, m_findTable, m_tables, page);

    m_tableSplitter = new PaneSplitter(PaneSplitter::Resizes::Width, widgets::scaled(4), page);
    m_tableSplitter->setObjectName(u"Splitter4"_s);
    m_tableSplitter->setPane(panel, PaneSplitter::Side::Before, 10);

    page->layout()->addWidget(panel);
    page->layout()->addWidget(m_tableSplitter);
    page->layout()->addWidget(buildDetailPages());
    return page;
}

widgets::PageControl *CatalogPane::buildDetailPages()
{
    auto *details = new widgets::PageControl(QTabWidget::West, this);
    details->setObjectName(u"PageControl2"_s);
    details->setTabLength(widgets::scaled(38));
    struct Detail
    {
        QString page, list, tab;
        QStringList captions;
        ReportList **member;
    };
    const Detail detailLists[] = {
        {u"tsFields"_s, u"ListView2"_s, u"Fi"_s,
         {u"Name"_s, u"Type"_s, u"Size"_s, u"Not Null"_s, u"Default"_s}, &m_fields},
        {u"tsIndexes"_s, u"ListView3"_s, u"Ix"_s, {u"Имя"_s, u"Тип"_s, u"Поля"_s}, &m_indexes},
        {u"tsConstraints"_s, u"ListView4"_s, u"Ct"_s, {u"Имя"_s, u"Тип"_s, u"Индекс"_s, u"Доп."_s},
         &m_constraints},
        {u"tsTriggers"_s, u"lvTriggers"_s, u"Tg"_s, {u"Имя"_s, u"Владелец"_s, u"Тип"_s, u"OLD"_s, u"NEW"_s},
         &m_triggers},
    };
    for (const Detail &d : detailLists) {
        QWidget *page = makePage(d.page, details);
        auto *model = new ReportListModel(d.captions, this);
        *d.member = makeList(d.list, model, page);
        page->layout()->addWidget(*d.member);
        details->addTab(page, d.tab);
    }
    details->setCurrentIndex(0);
    return details;
}

QWidget *CatalogPane::buildProcPage()
{
    QWidget *page = makePage(u"tsProcs"_s, this);
    m_procWild = makeFilterBox(u"cbProcWild"_s, page);
    m_findProc = makeFindButton(u"tbFindProc"_s, page);
    m_procModel = new ProcListModel(this);
    m_procs = makeList(u"lvProc"_s, m_procModel, page);
    QWidget *panel = makeListPanel(u"Panel7"_s, m_procWild, m_findProc, m_procs, page);

    m_procSplitter = new PaneSplitter(PaneSplitter::Resizes::Width, widgets::scaled(4), page);
    m_procSplitter->setObjectName(u"Splitter9"_s);
    m_procSplitter->setPane(panel, PaneSplitter::Side::Before, 10);

    m_procText = new editor::SqlEdit(editor::SqlEdit::Mode::ReadOnlyPane, page);
    m_procText->setObjectName(u"mmProcText"_s);

    page->layout()->addWidget(panel);
    page->layout()->addWidget(m_procSplitter);
    page->layout()->addWidget(m_procText);
    return page;
}

QList<ReportList *> CatalogPane::lists() const
{
    return {m_tables, m_fields, m_indexes, m_constraints, m_triggers, m_procs};
}

} // namespace quoll::catalog
