#include "core/profilefile.h"

#include <QSet>

#include "core/atomicfile.h"
#include "core/error.h"

#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace quoll {

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

ProfileFile::Line ProfileFile::parse(const QString &text)
{
    Line line;
    line.text = text;
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(u'[')) {
        const qsizetype close = trimmed.indexOf(u']');
        if (close > 0) {
            line.kind = Line::Kind::Section;
            line.name = trimmed.mid(1, close - 1).trimmed();
        }
        return line;
    }
    const qsizetype equals = text.indexOf(u'=');
    if (equals > 0 && !trimmed.startsWith(u';')) {
        const QString name = text.left(equals).trimmed();
        if (!name.isEmpty()) {
            line.kind = Line::Kind::Entry;
            line.name = name;
        }
    }
    return line;
}

ProfileFile ProfileFile::fromBytes(const QByteArray &bytes)
{
    ProfileFile file;
    const DecodedText decoded = decodeText(bytes);
    file.m_encoding = decoded.encoding;
    file.m_byteOrderMark = decoded.hadByteOrderMark;
    const QString &text = decoded.text;
    if (text.isEmpty())
        return file;
    file.m_endsWithBreak = text.endsWith(u'\n') || text.endsWith(u'\r');
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        file.m_lines.push_back(parse(text.mid(start, end - start)));
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    return file;
}

QByteArray ProfileFile::toBytes() const
{
    QString text;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        text += m_lines[i].text;
        if (i + 1 < m_lines.size() || m_endsWithBreak)
            text += u"\r\n"_s;
    }
    // A value the code page cannot hold turns the whole file to UTF-8.
    const TextEncoding encoding = m_encoding == TextEncoding::Utf8 ? TextEncoding::Utf8 : encodingFor(text);
    return encodeText(text, encoding, m_byteOrderMark);
}

ProfileFile ProfileFile::load(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw Error(u"Cannot open file %1"_s.arg(path));
    return fromBytes(file.readAll());
}

void ProfileFile::save(const QString &path) const
{
    writeFileAtomically(path, toBytes());
}

qsizetype ProfileFile::sectionLine(const QString &section) const
{
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Line::Kind::Section && sameName(m_lines[i].name, section))
            return qsizetype(i);
    return -1;
}

qsizetype ProfileFile::sectionEnd(qsizetype line) const
{
    qsizetype end = line + 1;
    while (end < qsizetype(m_lines.size()) && m_lines[size_t(end)].kind != Line::Kind::Section)
        ++end;
    return end;
}

qsizetype ProfileFile::keyLine(const QString &section, const QString &key) const
{
    const qsizetype start = sectionLine(section);
    if (start < 0)
        return -1;
    const qsizetype end = sectionEnd(start);
    for (qsizetype i = start + 1; i < end; ++i)
        if (m_lines[size_t(i)].kind == Line::Kind::Entry && sameName(m_lines[size_t(i)].name, key))
            return i;
    return -1;
}

std::optional<QString> ProfileFile::value(const QString &section, const QString &key) const
{
    const qsizetype line = keyLine(section, key);
    if (line < 0)
        return std::nullopt;
    return entryValue(m_lines[size_t(line)]);
}

QString ProfileFile::entryValue(const Line &line)
{
    const QString &text = line.text;
    QString value = text.mid(text.indexOf(u'=') + 1).trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value.left(MaxValue);
}

QString ProfileFile::value(const QString &section, const QString &key, const QString &fallback) const
{
    return value(section, key).value_or(fallback);
}

int ProfileFile::integer(const QString &section, const QString &key, int fallback) const
{
    const std::optional<QString> text = value(section, key);
    if (!text)
        return fallback;
    bool ok = false;
    const int number = text->toInt(&ok);
    return ok ? number : fallback;
}

void ProfileFile::setValue(const QString &section, const QString &key, const QString &value)
{
    if (const qsizetype line = keyLine(section, key); line >= 0) {
        Line &entry = m_lines[size_t(line)];
        entry.text = entry.text.left(entry.text.indexOf(u'=') + 1) + value;
        return;
    }
    Line entry;
    entry.kind = Line::Kind::Entry;
    entry.name = key;
    entry.text = key + u'=' + value;
    const qsizetype start = sectionLine(section);
    if (start >= 0) {
        // After the section's last line that is not blank.
        qsizetype at = sectionEnd(start);
        while (at > start + 1 && m_lines[size_t(at - 1)].text.trimmed().isEmpty())
            --at;
        m_lines.insert(m_lines.begin() + at, std::move(entry));
        return;
    }
    m_endsWithBreak = true;
    Line header;
    header.kind = Line::Kind::Section;
    header.name = section;
    header.text = u'[' + section + u']';
    m_lines.push_back(std::move(header));
    m_lines.push_back(std::move(entry));
}

void ProfileFile::setInteger(const QString &section, const QString &key, int value)
{
    setValue(section, key, QString::number(value));
}

QStringList ProfileFile::sections() const
{
    QStringList names;
    QSet<QString> seen;
    for (const Line &line : m_lines)
        if (line.kind == Line::Kind::Section && !seen.contains(line.name.toCaseFolded())) {
            seen.insert(line.name.toCaseFolded());
            names.append(line.name);
        }
    return names;
}

QList<ProfileFile::Section> ProfileFile::allSections() const
{
    QList<Section> sections;
    QSet<QString> seenSections;
    QSet<QString> seenKeys;
    bool reading = false;   // in the first section of its name
    for (const Line &line : m_lines) {
        if (line.kind == Line::Kind::Section) {
            const QString folded = line.name.toCaseFolded();
            reading = !seenSections.contains(folded);
            if (reading) {
                seenSections.insert(folded);
                seenKeys.clear();
                sections.append({line.name, {}});
            }
        } else if (line.kind == Line::Kind::Entry && reading && !seenKeys.contains(line.name.toCaseFolded())) {
            seenKeys.insert(line.name.toCaseFolded());
            sections.back().entries.append({line.name, entryValue(line)});
        }
    }
    return sections;
}

QStringList ProfileFile::keys(const QString &section) const
{
    QStringList names;
    const qsizetype start = sectionLine(section);
    if (start < 0)
        return names;
    const qsizetype end = sectionEnd(start);
    for (qsizetype i = start + 1; i < end; ++i)
        if (m_lines[size_t(i)].kind == Line::Kind::Entry && !names.contains(m_lines[size_t(i)].name, Qt::CaseInsensitive))
            names.append(m_lines[size_t(i)].name);
    return names;
}

} // namespace quoll
