#include "catalog/tabledetails.h"

#include "catalog/coltypes.h"
#include "connection/engine/query.h"
#include "widgets/imagelist.h"
#include "widgets/reportlist.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::catalog {

namespace {

namespace ListIcon = widgets::ListIcon;
using Row = widgets::ReportListModel::Row;

constexpr int MaxColumnName = 128;
constexpr int MaxDefault = 255;
constexpr int MaxIndexColumns = 255;
constexpr int NotNullFlag = 256;

// Every new row of the detail lists starts with icon 0.
Row newRow(QStringList texts)
{
    Row row;
    row.texts = std::move(texts);
    row.icon = ListIcon::SortAscending;
    return row;
}

// Opens `query` for the table and calls `each` for every row; the query is
// closed again whatever happens.
void forEachRow(connection::Query &query, int tabid, const std::function<void()> &each)
{
    query.setParameter(u"tabid"_s, tabid);
    query.open();
    try {
        for (; !query.atEnd(); query.next())
            each();
    } catch (...) {
        query.close();
        throw;
    }
    query.close();
}

} // namespace

QString defaultText(const QString &type, bool noDefault, const QString &value)
{
    if (noDefault || type.isEmpty())
        return {};
    switch (type.at(0).unicode()) {
    case u'C': return u"Current"_s;
    case u'L': {
        const QString stored = value.left(MaxDefault);
        const qsizetype blank = stored.indexOf(u' ');
        return blank < 0 ? stored : stored.mid(blank + 1);
    }
    case u'N': return u"NULL"_s;
    case u'S': return u"Dbservername"_s;
    case u'T': return u"Today"_s;
    case u'U': return u"User"_s;
    default: return {};
    }
}

QString indexColumnsText(const QList<int> &parts, const QStringList &columnNames)
{
    QString text;
    for (const int part : parts) {
        if (part == 0)
            continue;
        if (!text.isEmpty())
            text += u", "_s;
        if (part < 0)
            text += u'-';
        const int position = std::abs(part) - 1;
        text += position < columnNames.size() ? columnNames[position] : u"?"_s + QString::number(std::abs(part));
    }
    return text.left(MaxIndexColumns);
}

int constraintIcon(QChar type)
{
    switch (type.unicode()) {
    case u'P': return ListIcon::PrimaryKey;
    case u'R': return ListIcon::Reference;
    case u'C': return ListIcon::Check;
    case u'N': return ListIcon::NotNull;
    default: return ListIcon::SortAscending;
    }
}

void fillColumnList(connection::Query &qFields, int tabid, widgets::ReportListModel &list, QStringList &columnNames,
                    const std::function<void()> &outOfSequence)
{
    std::vector<Row> rows;
    rows.push_back(newRow({u"*"_s, QString(), QString(), QString(), QString()}));
    columnNames.clear();
    forEachRow(qFields, tabid, [&] {
        const QString name = qFields.text(0).left(MaxColumnName);
        const int coltype = qFields.text(1).toInt();
        const int collength = qFields.text(2).toInt();
        columnNames.append(name);
        if (qFields.text(3).toInt() != columnNames.size() && outOfSequence)
            outOfSequence();
        const int code = coltype % 256;
        rows.push_back(newRow({name, ColTypeName(code), ColSizeText(code, collength),
                               coltype >= NotNullFlag ? u"Yes"_s : u"No"_s,
                               defaultText(qFields.text(4), qFields.isNull(4), qFields.text(5))}));
    });
    list.setRows(std::move(rows));
}

void fillIndexList(connection::Query &qIndx, int tabid, widgets::ReportListModel &list,
                   const QStringList &columnNames)
{
    std::vector<Row> rows;
    forEachRow(qIndx, tabid, [&] {
        QList<int> parts;
        for (int field = 2; field < 18; ++field)
            parts.append(qIndx.text(field).toInt());
        rows.push_back(newRow({qIndx.text(0), qIndx.text(1), indexColumnsText(parts, columnNames)}));
    });
    list.setRows(std::move(rows));
}

void fillConstraintList(connection::Query &qCntr, int tabid, widgets::ReportListModel &list)
{
    std::vector<Row> rows;
    forEachRow(qCntr, tabid, [&] {
        const QString type = qCntr.text(1);
        Row row = newRow({qCntr.text(0), type, qCntr.text(2), qCntr.text(3)});
        row.icon = constraintIcon(type.isEmpty() ? QChar() : type.at(0));
        rows.push_back(std::move(row));
    });
    list.setRows(std::move(rows));
}

void fillTriggerList(connection::Query &qTrg, int tabid, widgets::ReportListModel &list)
{
    std::vector<Row> rows;
    forEachRow(qTrg, tabid, [&] {
        Row row = newRow({qTrg.text(1), qTrg.text(2), qTrg.text(3), qTrg.text(4), qTrg.text(5)});
        row.data = qTrg.text(0).toInt();
        rows.push_back(std::move(row));
    });
    list.setRows(std::move(rows));
}

} // namespace quoll::catalog
