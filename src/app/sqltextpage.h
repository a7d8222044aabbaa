#pragma once

#include <QTabWidget>
#include <QWidget>

namespace quoll::catalog {
class CatalogPane;
}
namespace quoll::widgets {
class PaneSplitter;
}
namespace quoll::workspace {
class EditorPages;
}

namespace quoll::app {

class ActionList;

// The page `tsSQLText` "Запрос": the catalog pane on top, the snippet pages
// below it, then the editor pages with the run bar at their right; the panes
// are resized by the splitters between them.
class SqlTextPage : public QWidget
{
    Q_OBJECT

public:
    SqlTextPage(const ActionList &actions, QMenu *editorMenu, QWidget *parent = nullptr);

    catalog::CatalogPane *catalog() const { return m_catalog; }
    QTabWidget *snippetPages() const { return m_snippets; }
    workspace::EditorPages *editorPages() const { return m_editors; }
    QWidget *runBar() const { return m_runBar; }

    widgets::PaneSplitter *catalogSplitter() const { return m_catalogSplitter; }
    widgets::PaneSplitter *snippetSplitter() const { return m_snippetSplitter; }
    widgets::PaneSplitter *runBarSplitter() const { return m_runBarSplitter; }

private:
    catalog::CatalogPane *m_catalog;
    QTabWidget *m_snippets;
    workspace::EditorPages *m_editors;
    QWidget *m_runBar;
    widgets::PaneSplitter *m_catalogSplitter;
    widgets::PaneSplitter *m_snippetSplitter;
    widgets::PaneSplitter *m_runBarSplitter;
};

} // namespace quoll::app
