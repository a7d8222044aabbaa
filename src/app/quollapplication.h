#pragma once

#include <QApplication>

namespace quoll::app {

class ErrorHandler;

// The application object. A failure that escapes an event handler is caught
// here and given to the error handler, so that it ends the current command
// with a message instead of the program.
class QuollApplication : public QApplication
{
    Q_OBJECT

public:
    QuollApplication(int &argc, char **argv);

    void setErrorHandler(ErrorHandler *handler) { m_errors = handler; }

    bool notify(QObject *receiver, QEvent *event) override;

private:
    ErrorHandler *m_errors = nullptr;
};

} // namespace quoll::app
