#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace quoll::connection {
class Query;
}
namespace quoll::widgets {
class ReportListModel;
}

namespace quoll::catalog {

// The "Default" text of a column from sysdefaults' type and default (the
// type null when the column has no default row).
QString defaultText(const QString &type, bool noDefault, const QString &value);

// The "Поля" text of an index: the names of its key parts, a "-" before a
// descending one, ", " between them, at most 255 characters. A part whose
// column is not in `columnNames` shows "?" with its number.
QString indexColumnsText(const QList<int> &parts, const QStringList &columnNames);

// The list icon of a constraint type: P, R, C and N have their own; any
// other type keeps the rows' initial icon 0.
int constraintIcon(QChar type);

// Fill the four detail lists of the table `tabid`, each in one step, from
// its query (`qFields`, `qIndx`, `qCntr`, `qTrg`). Each raises EngineError
// and leaves its list empty then.
//
// The column list starts with the "*" row; `columnNames` gets the names in
// column order, and `outOfSequence` is called for every row whose colno is
// not its position.
void fillColumnList(connection::Query &qFields, int tabid, widgets::ReportListModel &list, QStringList &columnNames,
                    const std::function<void()> &outOfSequence);
void fillIndexList(connection::Query &qIndx, int tabid, widgets::ReportListModel &list,
                   const QStringList &columnNames);
void fillConstraintList(connection::Query &qCntr, int tabid, widgets::ReportListModel &list);
// Each row carries its trigid as its data value.
void fillTriggerList(connection::Query &qTrg, int tabid, widgets::ReportListModel &list);

} // namespace quoll::catalog
