#include "editor/sqlkeywords.h"

#include <algorithm>
#include <array>
#include <vector>

namespace quoll::editor {

namespace {

// The one list the keyword table is built from.
constexpr char ReservedWordList[] =
    "active,after,all,alter,and,any,as,asc,ascending,at,auto,base_name,before,begin,between,"
    "by,cache,cast,check,column,commit,committed,computed,conditional,constraint,containing,"
    "count,create,current,cursor,database,debug,declare,default,delete,desc,descending,"
    "distinct,do,domain,drop,else,end,entry_point,escape,exception,execute,exists,exit,"
    "external,extract,filter,for,foreign,from,full,function,generator,grant,group,having,if,"
    "in,inactive,index,inner,insert,into,is,isolation,join,key,left,level,like,merge,names,"
    "no,not,null,of,on,only,or,order,outer,parameter,password,plan,position,primary,"
    "privileges,procedure,protected,read,retain,returns,revoke,right,rollback,schema,select,"
    "set,shadow,shared,snapshot,some,suspend,table,then,to,transaction,trigger,uncommitted,"
    "union,unique,update,user,using,view,wait,when,where,while,with,work";

constexpr int MaxWordLength = 16;

// The words bucketed by length and sorted, so that a look-up compares only
// words of the right length.
struct KeywordTable
{
    QStringList ordered;
    std::array<std::vector<QString>, MaxWordLength + 1> byLength;

    KeywordTable()
    {
        ordered = QString::fromLatin1(ReservedWordList).split(u',');
        for (const QString &word : std::as_const(ordered))
            byLength[size_t(word.size())].push_back(word);
        for (auto &bucket : byLength)
            std::sort(bucket.begin(), bucket.end());
    }
};

const KeywordTable &table()
{
    static const KeywordTable instance;
    return instance;
}

} // namespace

const QStringList &reservedWords()
{
    return table().ordered;
}

bool isReservedWord(QStringView word)
{
    const qsizetype length = word.size();
    if (length == 0 || length > MaxWordLength)
        return false;
    char16_t lower[MaxWordLength];
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t c = word[i].unicode();
        lower[i] = (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
    }
    const QStringView key(lower, length);
    const std::vector<QString> &bucket = table().byLength[size_t(length)];
    const auto found = std::lower_bound(bucket.begin(), bucket.end(), key,
                                        [](const QString &a, QStringView b) { return QStringView(a) < b; });
    return found != bucket.end() && QStringView(*found) == key;
}

} // namespace quoll::editor
