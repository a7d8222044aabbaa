#include "core/atomicfile.h"

#include "core/error.h"

#include <QSaveFile>

namespace quoll {

void writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Never fall back to writing over the old file in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Error(QStringLiteral("Cannot create file %1").arg(path));
}

} // namespace quoll
