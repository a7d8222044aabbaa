#pragma once

#include <QString>

namespace quoll::app {

// Puts the starter menu file of snippets at `path` when there is no file
// there; a user's own file is never touched. Failing to write it is no
// error: the program then starts without snippet pages.
void installStarterMenu(const QString &path);

} // namespace quoll::app
