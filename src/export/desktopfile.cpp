#include "export/desktopfile.h"

#include <QDesktopServices>
#include <QUrl>

namespace quoll::exporting {

bool openReportFile(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace quoll::exporting
