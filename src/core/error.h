#pragma once

#include <QString>

#include <stdexcept>

namespace quoll {

// A failure that ends the current command and is shown to the user by the
// top-level error handler. Engine failures derive from it and add their code.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}

    const QString &message() const noexcept { return m_message; }

private:
    QString m_message;
};

// Ends the current command without any message: raised when the user cancels
// a login or a question. Deliberately not a std::exception, so that handlers
// catching failures in general let it pass.
class SilentAbort
{
};

} // namespace quoll
