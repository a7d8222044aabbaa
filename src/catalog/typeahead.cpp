#include "catalog/typeahead.h"

namespace quoll::catalog {

namespace {

char16_t upperAscii(char16_t c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c;
}

} // namespace

bool nameStartsWith(const QString &name, QStringView typed)
{
    if (name.size() < typed.size())
        return false;
    for (qsizetype i = 0; i < typed.size(); ++i)
        if (upperAscii(name[i].unicode()) != upperAscii(typed[i].unicode()))
            return false;
    return true;
}

} // namespace quoll::catalog
