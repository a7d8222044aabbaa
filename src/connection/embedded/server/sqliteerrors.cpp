#include "connection/embedded/server/sqliteerrors.h"

#include "connection/embedded/catalog/catalogrows.h"
#include "connection/embedded/catalog/catalogwriter.h"
#include "connection/embedded/catalog/constraintwriter.h"
#include "connection/embedded/server/informixerrors.h"

#include <QRegularExpression>
#include <QStringList>

#include <cstdlib>

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
    {"^unknown table option: (.*)$", InformixCode::SyntaxError},
    {"^unrecognized token: \"['\"]", InformixCode::UnmatchedQuote},
    {"^unrecognized token", InformixCode::IllegalCharacter},
    {"^no such table: (?:main\\.)?(.*)$", InformixCode::TableNotInDatabase},
    {"^no such view: (?:main\\.)?(.*)$", InformixCode::TableNotInDatabase},
    {"^no such column: (.*)$", InformixCode::ColumnNotFound},
    {"^table \\S+ has no column named (.*)$", InformixCode::ColumnNotFound},
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
    {"^parser stack overflow$", InformixCode::NestedTooDeeply},
    {"^Expression tree is too large", InformixCode::NestedTooDeeply},
};

// A broken unique rule on "t.a, t.b" as a server reports it: -268 with
// owner.name when a primary key or unique constraint owns the index, -239
// with the index's name for a plain unique index; the storage engine's
// text when the catalog knows neither.
void describeUniqueFailure(sqlite3 *db, const QString &columns, ServerFailure &failure)
{
    QString table;
    QStringList names;
    for (const QString &qualified : columns.split(u", "_s)) {
        table = qualified.section(u'.', 0, -2);
        names.append(qualified.section(u'.', -1));
    }
    try {
        const qint64 tabid = tabidOf(db, table);
        if (tabid == 0)
            return;
        const std::vector<int> key = columnNumbers(db, tabid, names);
        for (const QList<QVariant> &index :
             catalogRows(db, "select idxname from sysindexes where tabid = ? and idxtype = 'U'", {tabid})) {
            const QString idxname = index[0].toString();
            std::vector<int> parts = indexParts(db, idxname);
            for (int &p : parts)
                p = std::abs(p);
            if (parts != key)
                continue;
            const auto owners = catalogRows(db,
                                            "select owner, constrname from sysconstraints where idxname = ? "
                                            "and tabid = ? and constrtype in ('P', 'U') order by constrid",
                                            {idxname, tabid});
            if (owners.isEmpty()) {
                failure.code = InformixCode::DuplicateInUniqueIndex;
                failure.name = idxname;
            } else {
                failure.code = InformixCode::UniqueConstraintViolated;
                failure.name = owners[0][0].toString().trimmed() + u'.' + owners[0][1].toString();
            }
            failure.message = informixMessage(failure.code, failure.name);
            return;
        }
    } catch (const EngineError &) {
        // A database without a catalog to look in: the storage engine's text.
    }
}

// A broken check names its constraint; the server reports it as owner.name.
void describeCheckFailure(sqlite3 *db, ServerFailure &failure)
{
    try {
        const auto rows = catalogRows(db, "select owner from sysconstraints where constrname = ? and constrtype = 'C'",
                                      {failure.name});
        if (!rows.isEmpty())
            failure.message = informixMessage(failure.code, rows[0][0].toString().trimmed() + u'.' + failure.name);
    } catch (const EngineError &) {
    }
}

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
    if (primary == SQLITE_CONSTRAINT) {
        // The server's own triggers raise "quoll:<code>:<constraint>".
        static const QRegularExpression raised(u"^quoll:(-\\d+):(.*)$"_s);
        const QRegularExpressionMatch m = raised.match(message);
        if (m.hasMatch()) {
            failure.code = m.captured(1).toInt();
            failure.message = informixMessage(failure.code, m.captured(2));
            return failure;
        }
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
            if (m.lastCapturedIndex() >= 1)
                failure.name = m.captured(1);
            failure.message = informixMessage(p.code, failure.name);
            if (!db)
                return failure;
            if (p.code == InformixCode::DuplicateInUniqueIndex)
                describeUniqueFailure(db, failure.name, failure);
            else if (p.code == InformixCode::CheckConstraintFailed)
                describeCheckFailure(db, failure);
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
    // Another program holds the database file: nothing was done.
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) {
        failure.code = InformixCode::DatabaseLocked;
        failure.message = informixMessage(failure.code);
        return failure;
    }
    // The file went away or was damaged under the connection.
    if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB || primary == SQLITE_IOERR) {
        failure.code = InformixCode::DatabaseFileDamaged;
        failure.message = informixMessage(failure.code, message);
        return failure;
    }
    // A failure a server would not have: memory, limits.
    failure.code = InformixCode::EmbeddedFailure;
    failure.message = informixMessage(failure.code, message);
    return failure;
}

} // namespace quoll::connection::embedded
