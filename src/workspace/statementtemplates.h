#pragma once

#include "connection/engine/fieldtype.h"

#include <QList>
#include <QString>

namespace quoll::workspace {

// The text a value takes in a generated statement: quoted for text and
// date types (apostrophes doubled), bare for numbers, empty for types that
// have no literal (byte strings, blobs, unknown types). A null `text` is
// NULL and gives "null" whatever the type.
QString templateValue(connection::FieldType type, const QString &text);

// The four ready-to-edit statements (select, insert, update, delete) for one
// row: `values` holds one text per field, a null QString for NULL. Every
// column takes part in every statement; a NULL is matched with "is null" in
// the conditions. `table` may be empty (a query result has no one table).
// Lines are separated by "\n"; the text has no trailing line break.
QString statementTemplates(const QList<connection::FieldDesc> &fields, const QList<QString> &values,
                           const QString &table);

} // namespace quoll::workspace
