#include "app/sqltextpage.h"

#include "app/commandbars.h"
#include "catalog/catalogpane.h"
#include "widgets/panesplitter.h"
#include "widgets/screenscale.h"
#include "workspace/editorpages.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace quoll::app {

using widgets::PaneSplitter;
using widgets::scaled;

namespace {
// Pane sizes when the settings hold none.
constexpr int DefaultCatalogHeight = 130;
constexpr int DefaultSnippetHeight = 56;
constexpr int DefaultRunBarWidth = 52;
} // namespace

SqlTextPage::SqlTextPage(const ActionList &actions, QMenu *editorMenu, QWidget *parent) : QWidget(parent)
{
    setObjectName(u"tsSQLText"_s);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_catalog = new catalog::CatalogPane(this);
    m_catalog->setFixedHeight(DefaultCatalogHeight);
    m_catalogSplitter = new PaneSplitter(PaneSplitter::Resizes::Height, scaled(4), this);
    m_catalogSplitter->setObjectName(u"Splitter2"_s);
    m_catalogSplitter->setPane(m_catalog, PaneSplitter::Side::Before, 0);

    m_snippets = new QTabWidget(this);
    m_snippets->setObjectName(u"pcButtons"_s);
    m_snippets->setMinimumHeight(10);
    m_snippets->setFixedHeight(DefaultSnippetHeight);
    m_snippets->setUsesScrollButtons(true);
    m_snippetSplitter = new PaneSplitter(PaneSplitter::Resizes::Height, scaled(4), this);
    m_snippetSplitter->setObjectName(u"Splitter3"_s);
    m_snippetSplitter->setPane(m_snippets, PaneSplitter::Side::Before, 10);

    // The editor pages fill what is left; the run bar stands at their right.
    auto *editorRow = new QWidget(this);
    editorRow->setObjectName(u"EditorArea"_s);
    auto *rowLayout = new QHBoxLayout(editorRow);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    rowLayout->setSpacing(0);
    m_editors = new workspace::EditorPages(editorRow);
    m_editors->setContextMenuPolicy(Qt::CustomContextMenu);
    m_runBar = buildRunBar(actions, editorMenu, editorRow);
    m_runBar->setMinimumWidth(2);
    m_runBar->setFixedWidth(DefaultRunBarWidth);
    m_runBarSplitter = new PaneSplitter(PaneSplitter::Resizes::Width, scaled(4), editorRow);
    m_runBarSplitter->setObjectName(u"Splitter5"_s);
    m_runBarSplitter->setPane(m_runBar, PaneSplitter::Side::After, 2);
    rowLayout->addWidget(m_editors, 1);
    rowLayout->addWidget(m_runBarSplitter);
    rowLayout->addWidget(m_runBar);

    layout->addWidget(m_catalog);
    layout->addWidget(m_catalogSplitter);
    layout->addWidget(m_snippets);
    layout->addWidget(m_snippetSplitter);
    layout->addWidget(editorRow, 1);
}

} // namespace quoll::app
