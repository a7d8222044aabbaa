#include "app/quollapplication.h"

#include "app/errorhandler.h"

namespace quoll::app {

QuollApplication::QuollApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    // No display name: the desktop would append it to every window's
    // caption, and the main window's caption is the program's own.
    setApplicationName(QStringLiteral("quoll"));
}

bool QuollApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        if (!m_errors)
            throw;
        m_errors->reportCurrentException();
        return false;
    }
}

} // namespace quoll::app
