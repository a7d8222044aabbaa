#include "workspace/statementtemplates.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace quoll::workspace {

using connection::FieldType;

namespace {

enum class ValueForm { Quoted, Bare, None };

ValueForm valueForm(FieldType type)
{
    switch (type) {
    case FieldType::String:
    case FieldType::FixedString:
    case FieldType::WideString:
    case FieldType::Memo:
    case FieldType::FormattedMemo:
    case FieldType::Date:
    case FieldType::Time:
    case FieldType::DateTime:
        return ValueForm::Quoted;
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::Word:
    case FieldType::AutoInc:
    case FieldType::LargeInt:
    case FieldType::Boolean:
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::BCD:
        return ValueForm::Bare;
    case FieldType::Bytes:
    case FieldType::VarBytes:
    case FieldType::Blob:
    case FieldType::Graphic:
    case FieldType::Unknown:
        break;
    }
    return ValueForm::None;
}

} // namespace

QString templateValue(FieldType type, const QString &text)
{
    if (text.isNull())
        return u"null"_s;
    switch (valueForm(type)) {
    case ValueForm::Quoted:
        return u'\'' + QString(text).replace(u'\'', u"''"_s) + u'\'';
    case ValueForm::Bare:
        return text;
    case ValueForm::None:
        break;
    }
    return {};
}

QString statementTemplates(const QList<connection::FieldDesc> &fields, const QList<QString> &values,
                           const QString &table)
{
    QStringList columns;
    QStringList valueTexts;
    QStringList conditions;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const connection::FieldDesc &field = fields[i];
        const QString value = i < values.size() ? values[i] : QString();
        const QString text = templateValue(field.type, value);
        columns.append(field.name);
        valueTexts.append(text);
        conditions.append(value.isNull() ? field.name + u" is null"_s : field.name + u" = "_s + text);
    }
    const QString columnList = columns.join(u", "_s);
    const QString valueList = valueTexts.join(u", "_s);
    const QString conditionList = conditions.join(u" and "_s);
    return u"select "_s + columnList + u"\nfrom "_s + table + u"\nwhere "_s + conditionList
           + u"\n\ninsert into "_s + table + u"\n("_s + columnList + u") values ("_s + valueList + u')'
           + u"\n\nupdate "_s + table + u"\nset ("_s + columnList + u") = ("_s + valueList + u')'
           + u"\nwhere "_s + conditionList
           + u"\n\ndelete from "_s + table + u"\nwhere "_s + conditionList;
}

} // namespace quoll::workspace
