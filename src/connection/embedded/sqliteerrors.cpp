#include "connection/embedded/sqliteerrors.h"

#include "connection/embedded/informixerrors.h"

#include <QRegularExpression>

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

struct Pattern
{
    const char *regex;   // matched against the storage engine's message
    int code;
};

// Message patterns of the storage engine and the Informix codes they become;
// the first capture, if any, fills the message's %s.
const Pattern patterns[] = {
    {"^near \"(.*)\": syntax error$", InformixCode::SyntaxError},
    {"^incomplete input$", InformixCode::SyntaxError},
    {"^unrecognized token: \"['\"]", InformixCode::UnmatchedQuote},
    {"^unrecognized token", InformixCode::IllegalCharacter},
    {"^no such table: (?:main\\.)?(.*)$", InformixCode::TableNotInDatabase},
    {"^no such view: (?:main\\.)?(.*)$", InformixCode::TableNotInDatabase},
    {"^no such column: (.*)$", InformixCode::ColumnNotFound},
    {"^(?:table|view) (?:\"?)(.*?)(?:\"?) already exists$", InformixCode::TableAlreadyExists},
    {"^index (.*) already exists$", InformixCode::IndexAlreadyExists},
    {"^no such index", InformixCode::IndexDoesNotExist},
    {"^ambiguous column name: (.*)$", InformixCode::AmbiguousColumn},
    {"^no such function: (.*)$", InformixCode::RoutineNotResolved},
    {"^wrong number of arguments to function (.*)\\(\\)$", InformixCode::RoutineNotResolved},
    {"has \\d+ columns but \\d+ values were supplied$", InformixCode::ColumnCountMismatch},
    {"^\\d+ values for \\d+ columns$", InformixCode::ColumnCountMismatch},
    {"^UNIQUE constraint failed: (.*)$", InformixCode::DuplicateInUniqueIndex},
    {"^NOT NULL constraint failed: (.*)$", InformixCode::NullIntoNotNull},
    {"^CHECK constraint failed: (.*)$", InformixCode::CheckConstraintFailed},
};

} // namespace

ServerFailure mapSqliteFailure(sqlite3 *db, int rc)
{
    const QString message = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    ServerFailure failure;
    failure.byteOffset = db ? sqlite3_error_offset(db) : -1;
    const int primary = rc & 0xff;

    if (rc == SQLITE_CONSTRAINT_FOREIGNKEY) {
        failure.code = InformixCode::MissingKeyInReferencedTable;
        failure.message = informixMessage(failure.code, QString());
        return failure;
    }
    if (primary == SQLITE_ERROR || primary == SQLITE_CONSTRAINT) {
        // The server's own functions fail with "[code] message".
        static const QRegularExpression own(u"^\\[(-\\d+)\\] (.*)$"_s);
        if (const QRegularExpressionMatch m = own.match(message); m.hasMatch()) {
            failure.code = m.captured(1).toInt();
            failure.message = m.captured(2);
            return failure;
        }
        for (const Pattern &p : patterns) {
            static thread_local QHash<const char *, QRegularExpression> compiled;
            auto it = compiled.find(p.regex);
            if (it == compiled.end())
                it = compiled.insert(p.regex, QRegularExpression(QString::fromLatin1(p.regex)));
            const QRegularExpressionMatch m = it->match(message);
            if (!m.hasMatch())
                continue;
            failure.code = p.code;
            if (m.lastCapturedIndex() >= 1 && p.code != InformixCode::SyntaxError)
                failure.name = m.captured(1);
            failure.message = informixMessage(p.code, failure.name);
            return failure;
        }
        if (primary == SQLITE_CONSTRAINT) {
            failure.code = InformixCode::CheckConstraintFailed;
            failure.message = informixMessage(failure.code, message);
            return failure;
        }
    }
    if (primary == SQLITE_MISMATCH) {
        failure.code = InformixCode::CharacterToNumericFailed;
        failure.message = informixMessage(failure.code);
        return failure;
    }
    // A failure a server would not have: storage, locking, memory.
    failure.code = InformixCode::EmbeddedFailure;
    failure.message = informixMessage(failure.code, message);
    return failure;
}

} // namespace quoll::connection::embedded
