#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

#include <optional>
#include <vector>

namespace quoll::connection::embedded {

// An INSERT ... VALUES statement of the storage engine's dialect with its
// whole-number and string constants taken out as parameters: the many
// inserts of a data script then share one text, which is prepared once.
// Values bound keep their meaning: the column's type converts a bound
// integer or text as it converts the same constant written out.
struct ParameterizedInsert
{
    struct Value
    {
        bool isText = false;
        qint64 integer = 0;
        qsizetype textBegin = 0, textLength = 0;   // in `texts`
    };

    QByteArray sql;               // the text with "?" for each value, in UTF-8
    std::vector<Value> values;    // in the order of their "?"
    QByteArray texts;             // the text values one after the other, in UTF-8

    QByteArrayView text(const Value &v) const { return QByteArrayView(texts).sliced(v.textBegin, v.textLength); }
};

// The statement `sql` (one INSERT INTO ... VALUES, as it goes to the storage
// engine) with its constants as parameters; nothing when it is another
// statement, has parameters of its own or quoted names, or has no constant
// to take out. Constants joined to a word or a point ("x'00'", "1.5") stay
// written out.
std::optional<ParameterizedInsert> parameterizeInsert(QStringView sql);

} // namespace quoll::connection::embedded
