#pragma once

#include <QTabWidget>

namespace quoll::widgets {

// A page control: a tab widget whose tabs may stand on any side. Tabs on the
// left or right keep their captions upright, and `setTabLength` fixes how far
// each tab reaches along the side it stands on (0: as long as its caption).
class PageControl : public QTabWidget
{
    Q_OBJECT

public:
    explicit PageControl(QTabWidget::TabPosition position, QWidget *parent = nullptr);

    void setTabLength(int length);
    int tabLength() const;
};

} // namespace quoll::widgets
