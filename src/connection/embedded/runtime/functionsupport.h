#pragma once

#include "connection/embedded/runtime/sqlfunctions.h"

#include <QDateTime>
#include <QString>

#include <optional>

struct sqlite3_context;
struct sqlite3_value;

namespace quoll::connection::embedded {

// What the server's SQL functions share: reading their arguments, giving
// results and failing with an Informix code.

const SessionInfo *sessionOf(sqlite3_context *context);

void resultText(sqlite3_context *context, const QString &text);

// An argument's text, trimmed and in lower case (qualifiers, field names).
QString argText(sqlite3_value *value);

// Failures carrying an Informix code, which the error mapping reads back:
// "[code] message".
void resultInformixError(sqlite3_context *context, int code);
void resultInformixError(sqlite3_context *context, int code, const QString &name);

// A value as a day number: integers are day numbers, texts dates in the
// client's form or ISO (a DATETIME's text gives its date); nothing else.
std::optional<qint64> dayOf(sqlite3_value *value);

// A DATETIME text read into a date and time: "yyyy[-mm[-dd[ hh[:mi[:ss[.f]]]]]]"
// or "hh[:mi[:ss[.f]]]" (the day is then 1 January 2000); false for others.
bool readDateTime(const QString &text, QDateTime &out, bool &timeOnly);

// A DATE day number or a DATETIME text as a date and time; `shape` is the
// text the value had, whose length later results keep.
bool dateTimeArgument(sqlite3_value *value, QDateTime &out, bool &timeOnly, QString &shape);

// The text of `value` in the layout of `shape` (as many characters).
QString dateTimeText(const QDateTime &value, bool timeOnly, const QString &shape);

// The string functions of the dialect (LPAD, INSTR, TO_CHAR, ...) and the
// sequences' NEXTVAL and CURRVAL, registered by registerFunctions.
void registerStringFunctions(sqlite3 *db);
void registerSequenceFunctions(sqlite3 *db, SessionInfo *session);

} // namespace quoll::connection::embedded
