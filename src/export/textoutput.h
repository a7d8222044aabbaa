#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QTemporaryFile>

#include <memory>

namespace quoll::exporting {

// An export file written beside its target and put in its place in one step
// by commit(): a crash, a full disk, a failure or a cancel (destroying it
// without commit()) leaves the previous file, or none, never a part of one.
//
// Texts arrive as UTF-8 and are written in Windows-1251. When a text holds a
// character the code page cannot hold, what was written so far is rewritten
// as UTF-8 with a byte-order mark and the rest follows in UTF-8: no
// character is ever lost or replaced. Raises Error "Cannot create file
// <path>" or "Stream write error".
class TextOutput
{
public:
    explicit TextOutput(const QString &path);
    ~TextOutput();
    TextOutput(const TextOutput &) = delete;
    TextOutput &operator=(const TextOutput &) = delete;

    // A value or name in the file's encoding.
    void text(QByteArrayView utf8);
    // Bytes that are the same in either encoding (ASCII dividers, markup).
    void ascii(QByteArrayView bytes);
    // Bytes already encoded by the caller for Windows-1251 (the HTML page,
    // which never switches).
    void encoded(QByteArrayView bytes) { ascii(bytes); }

    void commit();
    bool isUtf8() const { return m_utf8; }
    const QString &path() const { return m_path; }

private:
    void flush();
    void switchToUtf8();
    std::unique_ptr<QTemporaryFile> openTemporary();

    QString m_path;
    std::unique_ptr<QTemporaryFile> m_file;
    QByteArray m_buffer;
    bool m_utf8 = false;
};

} // namespace quoll::exporting
