#include "widgets/enterkey.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QKeyEvent>
#include <QWidget>

namespace quoll::widgets {

namespace {

class EnterKeyFilter : public QObject
{
public:
    EnterKeyFilter(QWidget *widget, std::function<void()> action) : QObject(widget), m_action(std::move(action))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        event->accept();
        m_action();
        return true;
    }

private:
    std::function<void()> m_action;
};

} // namespace

void onEnterKey(QWidget *widget, std::function<void()> action)
{
    if (auto *combo = qobject_cast<QComboBox *>(widget); combo && combo->lineEdit())
        new EnterKeyFilter(combo->lineEdit(), action);
    new EnterKeyFilter(widget, std::move(action));
}

} // namespace quoll::widgets
