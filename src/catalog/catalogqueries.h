#pragma once

#include <QString>

namespace quoll::catalog {

// The fixed texts of the catalog queries the browser sends (header only:
// the engine's tests run them too). Lines are
// joined by line breaks; ":tabid", ":procid" and ":trigid" are the queries'
// parameters.
namespace CatalogQuery {

// The table list before its name condition and order: see tableListQuery().
inline constexpr const char *TableListHead =
    "select tabname,owner,tabid,rowsize,ncols,nindexes,nrows,created,tabtype,locklevel from systables "
    "WHERE (tabtype in (\"V\",\"T\"))";

// qFields, qIndx, qCntr, qTrg: the details of the table `:tabid`.
inline constexpr const char *Fields = "select colname, coltype, collength, a.colno, b.type, b.default\n"
                                      "from syscolumns a, outer sysdefaults b\n"
                                      "where a.tabid=:tabid and a.tabid = b.tabid and a.colno = b.colno\n"
                                      "order by a.colno";
inline constexpr const char *Indexes = "select  idxname , idxtype||clustered, \n"
                                       "           part1,  part2,   part3,     part4,    part5,\n"
                                       "           part6,  part7,   part8,     part9,    part10,\n"
                                       "           part11,part12, part13,    part14,  part15, part16\n"
                                       "from sysindexes where tabid=:tabid";
inline constexpr const char *Constraints = "select constrname, constrtype, idxname,\n"
                                           "\n"
                                           "case when constrtype=\"R\" then\n"
                                           "  (select tabname  From systables where tabid =\n"
                                           "      (select ptabid From sysreferences b where a.constrid=b.constrid)\n"
                                           "   )\n"
                                           "  end\n"
                                           "\n"
                                           "from  sysconstraints a Where tabid = :tabid";
inline constexpr const char *Triggers = "Select trigid, trigname, owner, event, old, new\n"
                                        "From systriggers  Where tabid = :tabid";

// qProcBd, qProcDc, qProcAuth: a routine's text, document and grants.
inline constexpr const char *ProcBody = "Select data||'%',seqno\n"
                                        "From sysprocbody\n"
                                        "where  datakey = \"T\" and  procid = :procid\n"
                                        "Order By 2";
inline constexpr const char *ProcDocument = "Select data||'%',seqno\n"
                                            "From sysprocbody\n"
                                            "where  datakey = \"D\" and  procid = :procid\n"
                                            "Order By 2";
inline constexpr const char *ProcAuth = "select grantor, grantee, procauth from sysprocauth where procid = :procid";

// qTrgHd, qTrgBd, qViewBd: trigger header and body, view text.
inline constexpr const char *TriggerHead = "Select data||'%',seqno\n"
                                           "From systrigbody \n"
                                           "where  datakey = \"D\" and  trigid = :trigid\n"
                                           "Order By 2";
inline constexpr const char *TriggerBody = "Select data||'%',seqno\n"
                                           "From systrigbody \n"
                                           "where  datakey = \"A\" and  trigid = :trigid\n"
                                           "Order By 2";
inline constexpr const char *ViewText = "Select  viewtext||'%', seqno\n"
                                        "From sysviews a\n"
                                        "Where a.tabid = :tabid\n"
                                        "Order By 2\n";

} // namespace CatalogQuery

// The table list query with the name condition of the filter box
// (nameFilterCondition, possibly empty), ordered by name.
inline QString tableListQuery(const QString &condition)
{
    return QString::fromLatin1(CatalogQuery::TableListHead) + condition + QStringLiteral(" order by 1");
}

// The routine list query: with isproc on a server of major version "9",
// without it on any other.
inline QString procListQuery(const QString &serverMajorVersion, const QString &condition)
{
    const QString head = serverMajorVersion == QLatin1String("9")
                             ? QStringLiteral("select procname, owner, procid, mode, isproc from sysprocedures WHERE 1=1 ")
                             : QStringLiteral("select procname, owner, procid, mode from sysprocedures WHERE 1=1 ");
    return head + condition + QStringLiteral(" order by 1");
}

} // namespace quoll::catalog
