#pragma once

#include "connection/servers/serverentry.h"
#include "connection/servers/serverlist.h"

#include <QString>

#include <optional>

class QComboBox;

namespace quoll::app {

// Fills the pick-only server combo `cbServerName` with the list's names in
// the list's sorted order, each item carrying its ServerEntry as user data,
// and selects the entry named `savedName` (letter case ignored), else the
// first; an empty list leaves nothing selected.
void fillServerCombo(QComboBox &combo, const connection::servers::ServerList &servers, const QString &savedName);

// The entry of the combo's selected item, nothing when none is selected.
std::optional<connection::servers::ServerEntry> selectedServer(const QComboBox &combo);

} // namespace quoll::app
