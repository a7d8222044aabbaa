#pragma once

#include "core/error.h"

namespace quoll::connection {

// A failure reported by a database engine: the server's native error code
// (negative on Informix, 0 when the failure has none) and its message.
class EngineError : public Error
{
public:
    EngineError(int nativeCode, const QString &message) : Error(message), m_nativeCode(nativeCode) {}

    int nativeCode() const noexcept { return m_nativeCode; }

private:
    int m_nativeCode;
};

} // namespace quoll::connection
