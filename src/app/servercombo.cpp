#include "app/servercombo.h"

#include <QComboBox>

namespace quoll::app {

using connection::servers::ServerEntry;

void fillServerCombo(QComboBox &combo, const connection::servers::ServerList &servers, const QString &savedName)
{
    combo.clear();
    for (const ServerEntry &entry : servers.entries())
        combo.addItem(entry.name, QVariant::fromValue(entry));
    combo.setCurrentIndex(servers.preselectedIndex(savedName));
}

std::optional<ServerEntry> selectedServer(const QComboBox &combo)
{
    const QVariant data = combo.currentData();
    if (combo.currentIndex() < 0 || !data.canConvert<ServerEntry>())
        return std::nullopt;
    return data.value<ServerEntry>();
}

} // namespace quoll::app
