#pragma once

#include <QByteArray>
#include <QString>

namespace quoll {

// Writes `bytes` as the whole new content of `path`: into a new file beside
// it, flushed to disk, then put in place of the old one in one step, so that
// a crash, a killed process or a full disk leaves either the old file or the
// new one, never a part of either. Raises Error "Cannot create file <path>"
// when that cannot be done; the old file is then untouched.
void writeFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace quoll
