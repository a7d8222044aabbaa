#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QTableView>
#include <QVariant>

#include <functional>
#include <vector>

namespace quoll::widgets {

// A list in report form: column headers, grid lines, whole-row selection of
// one row at a time, selection kept visible without the focus, no editing in
// place. Columns are at least 10 pixels wide and 100 pixels by default.
class ReportList : public QTableView
{
    Q_OBJECT

public:
    explicit ReportList(QWidget *parent = nullptr);

    // The row that is selected, or -1.
    int selectedRow() const;

    // Whether Ctrl+C copies the current cell's text (the default). A list
    // whose copying goes only through its own command turns it off.
    void setCopyKeyEnabled(bool enabled) { m_copyKey = enabled; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_copyKey = true;
};

// Rows of texts behind a report list: a caption and sub-texts per row, an
// optional icon (an ImageList2 index) and a data value, and a sort mark on at
// most one column header.
class ReportListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    struct Row
    {
        QStringList texts;    // caption first, then one text per further column
        int icon = -1;        // index into the list icon set, -1 for none
        QVariant data;        // the row's data value
    };

    explicit ReportListModel(QStringList captions, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const QStringList &captions() const { return m_captions; }
    const Row &row(int index) const { return m_rows.at(size_t(index)); }

    void clear();
    void setRows(std::vector<Row> rows);
    void appendRow(Row row);

    // Marks `column` (0-based) as sorted ascending or descending; -1 removes
    // the mark.
    void setSortMark(int column, Qt::SortOrder order);

    // Reorders the rows by `less`; a selected row stays selected where it
    // moves to.
    void sortRows(const std::function<bool(const Row &, const Row &)> &less);

private:
    QStringList m_captions;
    std::vector<Row> m_rows;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

} // namespace quoll::widgets
