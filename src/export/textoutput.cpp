#include "export/textoutput.h"

#include "core/error.h"
#include "core/textcodec.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace quoll::exporting {

namespace {
constexpr qsizetype FlushBytes = 256 * 1024;
}

TextOutput::TextOutput(const QString &path) : m_path(path), m_file(openTemporary())
{
    m_buffer.reserve(FlushBytes + 4096);
}

TextOutput::~TextOutput() = default;

// A new file in the target's folder, removed again unless committed.
std::unique_ptr<QTemporaryFile> TextOutput::openTemporary()
{
    const QFileInfo target(m_path);
    auto file = std::make_unique<QTemporaryFile>(target.absoluteDir().filePath(u"."_s + target.fileName() + u".XXXXXX"_s));
    if (!file->open())
        throw Error(u"Cannot create file %1"_s.arg(m_path));
    // The file gets the permissions of the one it replaces, or those of a
    // new file of the user's, not the private ones of a temporary file.
    const QFileDevice::Permissions ordinary = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                              | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    file->setPermissions(target.exists() ? QFile::permissions(m_path) : ordinary);
    return file;
}

void TextOutput::flush()
{
    if (m_buffer.isEmpty())
        return;
    if (m_file->write(m_buffer) != m_buffer.size())
        throw Error(u"Stream write error"_s);
    // Emptied, its room kept for what comes next.
    m_buffer.resize(0);
}

void TextOutput::ascii(QByteArrayView bytes)
{
    m_buffer.append(bytes);
    if (m_buffer.size() >= FlushBytes)
        flush();
}

void TextOutput::text(QByteArrayView utf8)
{
    if (m_utf8) {
        ascii(utf8);
        return;
    }
    if (!appendWindows1251(m_buffer, utf8)) {
        switchToUtf8();
        m_buffer.append(utf8);
    }
    if (m_buffer.size() >= FlushBytes)
        flush();
}

// The code page cannot hold a character: what was written is read back (it
// decodes without loss) and written again as UTF-8 into a new file.
void TextOutput::switchToUtf8()
{
    flush();
    std::unique_ptr<QTemporaryFile> utf8 = openTemporary();
    if (utf8->write("\xEF\xBB\xBF", 3) != 3 || !m_file->seek(0))
        throw Error(u"Stream write error"_s);
    for (;;) {
        const QByteArray chunk = m_file->read(1 << 20);
        if (chunk.isEmpty())
            break;
        const QByteArray converted = decodeWindows1251(chunk).toUtf8();
        if (utf8->write(converted) != converted.size())
            throw Error(u"Stream write error"_s);
    }
    m_file = std::move(utf8);
    m_utf8 = true;
}

void TextOutput::commit()
{
    flush();
    if (!m_file->flush())
        throw Error(u"Stream write error"_s);
#ifdef Q_OS_UNIX
    if (::fsync(m_file->handle()) != 0)
        throw Error(u"Stream write error"_s);
    // rename() puts the new file in place in one step, replacing the old one
    // (or a link standing there, which is not followed).
    if (std::rename(QFile::encodeName(m_file->fileName()).constData(), QFile::encodeName(m_path).constData()) != 0)
        throw Error(u"Cannot create file %1"_s.arg(m_path));
    m_file->setAutoRemove(false);
#else
    QFile::remove(m_path);
    if (!m_file->rename(m_path))
        throw Error(u"Cannot create file %1"_s.arg(m_path));
    m_file->setAutoRemove(false);
#endif
}

} // namespace quoll::exporting
