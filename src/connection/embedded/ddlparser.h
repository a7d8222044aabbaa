#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

namespace quoll::connection::embedded {

// One column of a CREATE TABLE as the catalog needs it.
struct ColumnDefinition
{
    QString name;
    QString type;        // the type as written, e.g. "decimal(8,2)"
    bool notNull = false;
    bool primaryKey = false;
    bool unique = false;
    // The DEFAULT clause as the catalog keeps it: 'L' literal (with its
    // text), 'C' CURRENT, 'N' NULL, 'S' DBSERVERNAME, 'T' TODAY, 'U' USER;
    // 0 for none.
    char16_t defaultType = 0;
    QString defaultValue;
};

struct CreateTable
{
    QString name;
    std::vector<ColumnDefinition> columns;
    QStringList primaryKey;            // from a table-level PRIMARY KEY (...)
    bool temporary = false;
};

// Reads the table name and column definitions of a CREATE [TEMP] TABLE
// statement; nothing when `sql` is not one or its column list cannot be
// read (the storage engine then reports the syntax error).
std::optional<CreateTable> parseCreateTable(QStringView sql);

// The table a DROP TABLE statement names, if `sql` is one.
std::optional<QString> parseDropTable(QStringView sql);

} // namespace quoll::connection::embedded
