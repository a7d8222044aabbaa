#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QWidget>

#include <optional>

namespace quoll::widgets {
class PaneSplitter;
class ReportList;
} // namespace quoll::widgets

namespace quoll::app {

class LogModel;

// The page `tsLog` "Журнал": the event list `lwLog` with its three columns
// above the splitter `Splitter10` and the read-only detail memo `mmLog`,
// which shows the details of the entry selected last.
class LogPage : public QWidget
{
    Q_OBJECT

public:
    explicit LogPage(QWidget *parent = nullptr);

    widgets::ReportList *list() const { return m_list; }
    LogModel *model() const { return m_model; }
    QPlainTextEdit *detail() const { return m_detail; }
    widgets::PaneSplitter *splitter() const { return m_splitter; }

    // Appends an entry stamped with the current time of day; neither
    // selects nor scrolls to it and leaves `mmLog` alone.
    void addEntry(const QString &message, const QString &details);

    // The page became visible: the last entry is scrolled into view and
    // becomes the selected and current entry. Nothing on an empty log.
    void showLastEntry();

    // Removes every entry; `mmLog` keeps its text.
    void clear();

    // The details of the selected entry, or nothing when none is selected.
    std::optional<QString> selectedDetails() const;

private:
    void lwLogSelectItem();

    widgets::ReportList *m_list;
    LogModel *m_model;
    QPlainTextEdit *m_detail;
    widgets::PaneSplitter *m_splitter;
};

} // namespace quoll::app
