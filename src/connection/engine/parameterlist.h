#pragma once

#include <QString>
#include <QStringList>

namespace quoll::connection {

// A connection's parameters: ordered lines "NAME=value". Names are matched
// without regard to letter case; a value may be empty.
class ParameterList
{
public:
    void clear() { m_lines.clear(); }
    void append(const QString &line) { m_lines.append(line); }
    const QStringList &lines() const { return m_lines; }
    int size() const { return int(m_lines.size()); }

    // The value of the first line named `name`, empty when there is none.
    QString value(const QString &name) const;
    bool contains(const QString &name) const;
    // Replaces the value of the first line named `name`, or appends a line.
    void setValue(const QString &name, const QString &value);

private:
    int indexOf(const QString &name) const;

    QStringList m_lines;
};

} // namespace quoll::connection
