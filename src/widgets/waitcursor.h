#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace quoll::widgets {

// Shows the busy cursor over the whole application while it lives, for work
// that keeps the user waiting (connecting, a server building its databases).
class WaitCursor
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

// Lifts every busy cursor while it lives, so that a dialog shown in the
// middle of such work takes input with the normal pointer.
class NormalCursor
{
public:
    NormalCursor()
    {
        while (QGuiApplication::overrideCursor()) {
            m_cursors.append(*QGuiApplication::overrideCursor());
            QGuiApplication::restoreOverrideCursor();
        }
    }
    ~NormalCursor()
    {
        for (auto it = m_cursors.crbegin(); it != m_cursors.crend(); ++it)
            QGuiApplication::setOverrideCursor(*it);
    }
    NormalCursor(const NormalCursor &) = delete;
    NormalCursor &operator=(const NormalCursor &) = delete;

private:
    QList<QCursor> m_cursors;
};

} // namespace quoll::widgets
