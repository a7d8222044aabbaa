#include "app/startermenu.h"

#include "core/atomicfile.h"
#include "core/error.h"

#include <QFile>

// The starter file lives in this static library's resources; nothing would
// pull in their registration unless it is called.
static void initStarterResources()
{
    Q_INIT_RESOURCE(starter);
}

namespace quoll::app {

void installStarterMenu(const QString &path)
{
    if (QFile::exists(path))
        return;
    initStarterResources();
    QFile starter(QStringLiteral(":/starter/quoll.mnu"));
    if (!starter.open(QIODevice::ReadOnly))
        return;
    try {
        writeFileAtomically(path, starter.readAll());
    } catch (const Error &) {
    }
}

} // namespace quoll::app
