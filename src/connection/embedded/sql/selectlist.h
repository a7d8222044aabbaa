#pragma once

#include "connection/embedded/sql/statementtokens.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace quoll::connection::embedded {

// One expression of a SELECT's select list.
struct SelectItem
{
    std::vector<SqlToken> tokens;   // without its alias
    bool star = false;               // * or t.*
    bool plainColumn = false;        // a column name, possibly qualified
    bool named = false;              // a plain column or one with an alias
    QString name;                    // the column's name when named
};

// The items of the select list of the SELECT whose keyword is the token at
// `select`, up to the FROM of the same level (or the token at `end`).
std::vector<SelectItem> selectItems(const StatementTokens &statement, size_t select, size_t end);

// The column type (as CREATE TABLE writes it) a view column is given when it
// is not a column of a table: Informix derives one from the expression; this
// is the nearest simple reading of it (COUNT an INTEGER, SUM, AVG and
// arithmetic a DECIMAL(32), a literal its own type, strings VARCHAR(255)).
QString expressionType(QStringView sql, const std::vector<SqlToken> &item);

} // namespace quoll::connection::embedded
