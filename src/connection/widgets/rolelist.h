#pragma once

#include <QString>

class QComboBox;

namespace quoll::connection {

class Query;

// Refills the role picker `cbRoleName` with the roles granted to the
// connected user, in the order the server returns them (`FillRoleList`, run
// each time the list opens). The role shown before stays shown when it is
// still granted.
void FillRoleList(QComboBox &roles, Query &viewQuery);

// Makes `role` the connection's role ("set role <name>").
void setRole(Query &viewQuery, const QString &role);

} // namespace quoll::connection
