#include "connection/engine/fieldtype.h"

namespace quoll::connection {

QString fieldTypeName(FieldType type)
{
    static const char *const names[] = {
        "String", "FixedString", "WideString", "Memo", "FormattedMemo", "SmallInt", "Integer",
        "LargeInt", "Word", "AutoInc", "Boolean", "Float", "Currency", "BCD", "Date", "Time",
        "DateTime", "Bytes", "VarBytes", "Blob", "Graphic", "Unknown",
    };
    const auto index = static_cast<size_t>(type);
    return index < std::size(names) ? QString::fromLatin1(names[index]) : QStringLiteral("Unknown");
}

bool isTextType(FieldType type)
{
    switch (type) {
    case FieldType::String:
    case FieldType::FixedString:
    case FieldType::WideString:
    case FieldType::Memo:
    case FieldType::FormattedMemo:
        return true;
    default:
        return false;
    }
}

bool isIntegerType(FieldType type)
{
    switch (type) {
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::LargeInt:
    case FieldType::Word:
    case FieldType::AutoInc:
        return true;
    default:
        return false;
    }
}

bool isNumericType(FieldType type)
{
    if (isIntegerType(type))
        return true;
    switch (type) {
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::BCD:
        return true;
    default:
        return false;
    }
}

} // namespace quoll::connection
