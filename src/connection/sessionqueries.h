#pragma once

namespace quoll::connection {

// The statements the window sends on connecting, switching database and
// choosing a role.
namespace SessionQuery {
inline constexpr const char *UserAndVersion = "select user, DBINFO(\"version\",\"full\") from systables WHERE tabid = 99";
inline constexpr const char *MajorVersion = "select DBINFO(\"version\",\"major\") from systables WHERE tabid = 99";
inline constexpr const char *DirtyRead = "set isolation to dirty read";
inline constexpr const char *DatabaseList = "select name from sysdatabases";
inline constexpr const char *CommittedRead = "set isolation to committed read";
inline constexpr const char *RoleList = " Select rolename From sysroleauth Where grantee = user";
inline constexpr const char *SetRolePrefix = "set role ";
inline constexpr const char *DatabasePrefix = "database ";
} // namespace SessionQuery

} // namespace quoll::connection
