#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

namespace quoll::catalog {

// The SQL condition that a name filter text adds to a catalog list query:
// every non-empty piece between semicolons, trimmed of blanks and control
// characters, becomes `field matches "piece"`; the alternatives are joined
// by " or " in one parenthesised group after " and ". Nothing when the
// text has no piece. Pieces are not escaped: the server reports a pattern
// that breaks the statement.
QString nameFilterCondition(const QString &filterText, const QString &field);

// A filter box keeps exactly this many history slots, 0 the newest.
inline constexpr int FilterHistorySlots = 5;

// Records `text` in the history: it moves to slot 0, an older copy of it
// leaves its slot, and when it was not there the oldest entry goes. The
// number of slots stays as it is.
void recordFilterText(QStringList &history, const QString &text);

// The history of a filter box (its items) and the box's text in slot 0.
QStringList filterHistory(const QComboBox &box);
void setFilterHistory(QComboBox &box, const QStringList &history);

// `AddNameFilter`: records the box's text in its history and appends its
// condition on `field` to `condition`.
void AddNameFilter(QComboBox &box, const QString &field, QString &condition);

} // namespace quoll::catalog
