#pragma once

#include <QString>

namespace quoll::exporting {

// Asks the desktop to show a written file (a page, a workbook) with its
// program for that kind of file, without waiting for it; false when the
// desktop has no such program.
bool openReportFile(const QString &path);

} // namespace quoll::exporting
