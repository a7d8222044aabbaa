#include "app/errorhandler.h"

#include "connection/engine/engineerror.h"
#include "core/dialogs.h"
#include "core/error.h"

#include <exception>

using namespace Qt::Literals::StringLiterals;

namespace quoll::app {

bool ErrorHandler::run(const std::function<void()> &command)
{
    try {
        command();
        return true;
    } catch (...) {
        reportCurrentException();
        return false;
    }
}

void ErrorHandler::reportCurrentException()
{
    const QString title = u"Quoll"_s;
    try {
        throw;
    } catch (const SilentAbort &) {
    } catch (const Error &e) {
        m_dialogs.message(Dialogs::Icon::Error, title, e.message());
    } catch (const std::bad_alloc &) {
        m_dialogs.message(Dialogs::Icon::Error, title, u"Out of memory"_s);
    } catch (const std::exception &e) {
        m_dialogs.message(Dialogs::Icon::Error, title, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        m_dialogs.message(Dialogs::Icon::Error, title, u"Unknown failure"_s);
    }
}

} // namespace quoll::app
