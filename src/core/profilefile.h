#pragma once

#include "core/textcodec.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace quoll {

// A profile (INI) file as the platform's profile functions treat it: "[name]"
// lines open sections, "key=value" lines hold values. Section and key names
// match without regard to letter case (the first of a name counts); a value
// read loses the blanks around it and one pair of matching single or double
// quotes enclosing it, and at most 2047 characters of it are read. A write
// replaces the value in place, or adds the key at the end of its section, or
// adds the section with the key at the end of the file. Nothing is ever
// deleted, and lines that are neither stay as they are.
//
// The whole file lives in memory: load it, read and write, then save it in
// one piece. Its bytes are Windows-1251, or UTF-8 when the file was read so
// or a value needs it.
class ProfileFile
{
public:
    static constexpr qsizetype MaxValue = 2047;

    ProfileFile() = default;
    // The file's bytes as read from disk (empty for a missing file).
    static ProfileFile fromBytes(const QByteArray &bytes);
    QByteArray toBytes() const;

    // Reads a file; a missing file is an empty one. Raises Error when a file
    // that is there cannot be read.
    static ProfileFile load(const QString &path);
    // Writes the file in one step (see writeFileAtomically); raises Error.
    void save(const QString &path) const;

    std::optional<QString> value(const QString &section, const QString &key) const;
    QString value(const QString &section, const QString &key, const QString &fallback) const;
    // An integer value; the fallback when missing or not an integer.
    int integer(const QString &section, const QString &key, int fallback) const;

    void setValue(const QString &section, const QString &key, const QString &value);
    void setInteger(const QString &section, const QString &key, int value);

    // Names in file order, as written there.
    QStringList sections() const;
    QStringList keys(const QString &section) const;

    // Every section with its keys and values, as sections(), keys() and
    // value() give them, read in one pass: for a file of thousands of
    // sections, where asking section by section takes quadratic time.
    struct Section
    {
        QString name;
        QList<std::pair<QString, QString>> entries;   // key, value
    };
    QList<Section> allSections() const;

private:
    struct Line
    {
        QString text;      // the line as it stands, without its line break
        enum class Kind { Other, Section, Entry } kind = Kind::Other;
        QString name;      // the section or key name, trimmed
    };
    // The value an entry line holds, as value() reads it.
    static QString entryValue(const Line &line);

    // The index of the first "[section]" line, or -1.
    qsizetype sectionLine(const QString &section) const;
    // One past the last line of the section starting at `line`.
    qsizetype sectionEnd(qsizetype line) const;
    qsizetype keyLine(const QString &section, const QString &key) const;
    static Line parse(const QString &text);

    std::vector<Line> m_lines;
    bool m_endsWithBreak = true;
    TextEncoding m_encoding = TextEncoding::Windows1251;
    bool m_byteOrderMark = false;
};

} // namespace quoll
