#include "connection/engine/parameterlist.h"

namespace quoll::connection {

int ParameterList::indexOf(const QString &name) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString &line = m_lines[i];
        const qsizetype eq = line.indexOf(u'=');
        if (eq >= 0 && QStringView(line).left(eq).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString ParameterList::value(const QString &name) const
{
    const int i = indexOf(name);
    return i < 0 ? QString() : m_lines[i].mid(m_lines[i].indexOf(u'=') + 1);
}

bool ParameterList::contains(const QString &name) const
{
    return indexOf(name) >= 0;
}

void ParameterList::setValue(const QString &name, const QString &value)
{
    const int i = indexOf(name);
    const QString line = name + u'=' + value;
    if (i < 0)
        m_lines.append(line);
    else
        m_lines[i] = line;
}

} // namespace quoll::connection
