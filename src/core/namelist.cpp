#include "core/namelist.h"

namespace quoll {

void RememberName(QStringList &list, const QString &name)
{
    list.removeAll(name);
    list.prepend(name);
    if (list.size() > RememberedNamesKept)
        list.resize(RememberedNamesKept);
}

} // namespace quoll
