#include "app/quollapplication.h"

#include "app/errorhandler.h"

namespace quoll::app {

QuollApplication::QuollApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("quoll"));
    setApplicationDisplayName(QStringLiteral("Quoll"));
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
