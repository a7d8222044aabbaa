#pragma once

#include <QTableView>
#include <QToolBar>
#include <QWidget>

namespace quoll::results {

class DBNavigator;

// A page that shows rows: a tool bar of row commands above a data grid.
// The output page holds `ToolBar11` and `DBGrid1`; the table data page holds
// `ToolBar12`, which starts with the record navigator `DBNavigator2`, and
// `DBGrid2`. The command buttons are put on the tool bar by the main window.
class GridPage : public QWidget
{
    Q_OBJECT

public:
    struct Names
    {
        QString page;
        QString toolBar;
        QString grid;
        QString navigator;   // empty: the page has no record navigator
    };

    explicit GridPage(const Names &names, QWidget *parent = nullptr);

    QToolBar *toolBar() const { return m_toolBar; }
    QTableView *grid() const { return m_grid; }
    DBNavigator *navigator() const { return m_navigator; }

    // The grid's font height in the platform's convention: a negative value
    // is the character height in pixels. The title font follows it.
    int fontHeight() const { return m_fontHeight; }
    void setFontHeight(int height);
    // Makes the grid's font `points` points larger (smaller when negative).
    void zoom(int points);

private:
    QToolBar *m_toolBar;
    QTableView *m_grid;
    DBNavigator *m_navigator = nullptr;
    int m_fontHeight = 0;
};

} // namespace quoll::results
