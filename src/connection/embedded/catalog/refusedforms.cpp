#include "connection/embedded/catalog/refusedforms.h"

#include "connection/embedded/server/informixerrors.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

// The refused form a statement begins with, named for the message; empty
// when it begins with none.
QString refusedForm(const StatementTokens &w)
{
    const bool creates = w.isWord(0, "create");
    const bool drops = w.isWord(0, "drop");
    if (creates || drops) {
        size_t k = 1;
        if (w.isWord(k, "row") || w.isWord(k, "distinct") || w.isWord(k, "opaque"))
            return w.isWord(k + 1, "type") ? w.lower(k).toUpper() + u" TYPE (user-defined types)"_s : QString();
        if (w.isWord(k, "type"))
            return u"TYPE (user-defined types)"_s;
        if (w.isWord(k, "implicit") || w.isWord(k, "explicit"))
            ++k;
        if (w.isWord(k, "cast"))
            return u"CAST (casts between user-defined types)"_s;
        if (w.isWord(k, "aggregate"))
            return u"AGGREGATE (user-defined aggregates)"_s;
        if (w.isWord(k, "secondary") || w.isWord(k, "primary"))
            ++k;
        if (w.isWord(k, "access_method"))
            return u"ACCESS_METHOD (access methods)"_s;
        if (w.isWord(k, "opclass"))
            return u"OPCLASS (operator classes)"_s;
        if (w.isWord(k, "xadatasource"))
            return u"XADATASOURCE (XA data sources)"_s;
        if (creates && w.isWord(1, "external") && w.isWord(2, "table"))
            return u"EXTERNAL TABLE (tables kept in files)"_s;
        return {};
    }
    if (w.isWord(0, "alter") && w.isWord(1, "fragment"))
        return u"ALTER FRAGMENT (moving rows between fragments; fragmentation in CREATE TABLE is kept)"_s;
    return {};
}

} // namespace

std::optional<CatalogPlan> planRefusedForm(const CatalogContext &, const StatementTokens &statement)
{
    const QString form = refusedForm(statement);
    if (form.isEmpty())
        return std::nullopt;
    throw StatementError(InformixCode::NotSupported, statement[0].begin, form);
}

} // namespace quoll::connection::embedded
