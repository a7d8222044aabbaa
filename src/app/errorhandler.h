#pragma once

#include <functional>

namespace quoll {
class Dialogs;
}

namespace quoll::app {

// The application's single top-level error handler. A command runs through
// `run`: an engine or program failure ends the command and its message is
// shown in a message box; a silent abort ends it without a word. Either way
// control returns to the event loop.
class ErrorHandler
{
public:
    explicit ErrorHandler(Dialogs &dialogs) : m_dialogs(dialogs) {}

    // Runs `command`; returns false when it ended by a failure or an abort.
    bool run(const std::function<void()> &command);

    // Shows the failure that is being handled (call from inside a catch
    // block); a silent abort shows nothing.
    void reportCurrentException();

private:
    Dialogs &m_dialogs;
};

} // namespace quoll::app
