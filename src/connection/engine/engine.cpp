#include "connection/engine/engine.h"

namespace quoll::connection {

QString statusText(std::uint16_t status)
{
    switch (status) {
    case StatusOk: return QStringLiteral("Successful completion.");
    case StatusSqlError: return QStringLiteral("General SQL error.");
    case StatusNotConnected: return QStringLiteral("Not connected to a database server.");
    case StatusEngineFailure: return QStringLiteral("The database engine failed.");
    default: return QStringLiteral("Unknown status %1.").arg(status);
    }
}

QString CommunicationArea::warningText() const
{
    const auto end = std::find(warnings.begin(), warnings.end(), '\0');
    return QString::fromLatin1(warnings.data(), end - warnings.begin());
}

} // namespace quoll::connection
