#pragma once

#include <QToolButton>
#include <QWidget>

#include <array>

namespace quoll::results {

// The record navigator of the table data page: ten buttons that move through
// and edit the rows of the table data set (first, prior, next, last, insert,
// delete, edit, post, cancel, refresh). Its buttons stay disabled until a
// data set is attached to it.
class DBNavigator : public QWidget
{
    Q_OBJECT

public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh, ButtonCount };

    explicit DBNavigator(QWidget *parent = nullptr);

    QToolButton *button(Button which) const { return m_buttons[size_t(which)]; }

signals:
    void clicked(quoll::results::DBNavigator::Button which);

private:
    std::array<QToolButton *, ButtonCount> m_buttons{};
};

} // namespace quoll::results
