#pragma once

#include <QPlainTextEdit>
#include <QWidget>

namespace quoll::widgets {
class PaneSplitter;
class ReportList;
class ReportListModel;
} // namespace quoll::widgets

namespace quoll::app {

// The page `tsLog` "Журнал": the event list `lwLog` with its three columns
// above the splitter `Splitter10` and the read-only detail memo `mmLog`.
class LogPage : public QWidget
{
    Q_OBJECT

public:
    explicit LogPage(QWidget *parent = nullptr);

    widgets::ReportList *list() const { return m_list; }
    widgets::ReportListModel *model() const { return m_model; }
    QPlainTextEdit *detail() const { return m_detail; }
    widgets::PaneSplitter *splitter() const { return m_splitter; }

private:
    widgets::ReportList *m_list;
    widgets::ReportListModel *m_model;
    QPlainTextEdit *m_detail;
    widgets::PaneSplitter *m_splitter;
};

} // namespace quoll::app
