#include "connection/embedded/server/informixerrors.h"

#include <array>

namespace quoll::connection::embedded {

namespace {

struct Message
{
    int code;
    const char *text;
};

// One table for every code the server answers with.
constexpr std::array messages{
    Message{InformixCode::SyntaxError, "A syntax error has occurred."},
    Message{InformixCode::IllegalCharacter, "An illegal character has been found in the statement."},
    Message{InformixCode::TableNotInDatabase, "The specified table (%s) is not in the database."},
    Message{InformixCode::ColumnNotFound, "Column (%s) not found in any table in the query (or SLV is undefined)."},
    Message{InformixCode::ColumnCountMismatch, "Number of columns in INSERT table does not match number of VALUES."},
    Message{InformixCode::DuplicateInUniqueIndex,
            "Could not insert new row - duplicate value in a UNIQUE INDEX column (Unique Index:%s)."},
    Message{InformixCode::NotInTransaction, "Not in transaction."},
    Message{InformixCode::TransactionNotAvailable, "Transaction not available."},
    Message{InformixCode::UniqueConstraintViolated, "Unique constraint (%s) violated."},
    Message{InformixCode::UnmatchedQuote, "Found a quote for which there is no matching quote."},
    Message{InformixCode::SubqueryNotOneRow, "A subquery has returned not exactly one row."},
    Message{InformixCode::NoKeyInReferencedTable,
            "Cannot find unique constraint or primary key on referenced table (%s)."},
    Message{InformixCode::TableAlreadyExists, "Table (%s) already exists in database."},
    Message{InformixCode::ColumnAlreadyExists, "Column (%s) already exists in table."},
    Message{InformixCode::IndexAlreadyExists, "Index (%s) already exists in database."},
    Message{InformixCode::IndexDoesNotExist, "Index does not exist."},
    Message{InformixCode::AmbiguousColumn, "Ambiguous column (%s)."},
    Message{InformixCode::DatabaseNotFound, "Database not found or no system permission."},
    Message{InformixCode::CannotCreateDatabase, "Cannot create or rename the database."},
    Message{InformixCode::DatabaseNotSelected, "Database not selected yet."},
    Message{InformixCode::DuplicateKeysForUniqueIndex, "Cannot create unique index on column with duplicate data."},
    Message{InformixCode::NullIntoNotNull, "Cannot insert a null into column (%s)."},
    Message{InformixCode::TwoSidedOuterJoin, "A condition in the WHERE clause results in a two-sided outer join."},
    Message{InformixCode::OuterCartesianProduct, "The WHERE clause contains an outer Cartesian product."},
    Message{InformixCode::CheckConstraintFailed, "Check constraint (%s) failed."},
    Message{InformixCode::AlreadyInTransaction, "Already in transaction."},
    Message{InformixCode::ConstraintNotFound, "Unable to find CONSTRAINT (%s)."},
    Message{InformixCode::RoutineNotResolved, "Routine (%s) can not be resolved."},
    Message{InformixCode::MissingKeyInReferencedTable,
            "Missing key in referenced table for referential constraint (%s)."},
    Message{InformixCode::KeyStillReferenced, "Key value for constraint (%s) is still being referenced."},
    Message{InformixCode::DivisionByZero, "An attempt was made to divide by zero."},
    Message{InformixCode::CharacterToNumericFailed, "A character to numeric conversion process failed."},
    Message{InformixCode::InvalidYearInDate, "Invalid year in date."},
    Message{InformixCode::InvalidMonthInDate, "Invalid month in date."},
    Message{InformixCode::InvalidDayInDate, "Invalid day in date."},
    Message{InformixCode::StringToDateFailed, "String to date conversion error."},
    Message{InformixCode::TriggerOnView, "Cannot Alter a view, Rename a view or Create a trigger on a view (%s)."},
    Message{InformixCode::PublicWithGrantOption, "Cannot grant permission to public with grant option."},
    Message{InformixCode::GrantToSelf, "Cannot grant permission to self."},
    Message{InformixCode::ViewColumnCountMismatch,
            "Same number of columns must be specified for view and select clause."},
    Message{InformixCode::ViewNeedsColumnNames, "Need to specify view column names in the view definition."},
    Message{InformixCode::ViewNotFound, "View (%s) not found."},
    Message{InformixCode::OnlyOnTables, "Can only recover, repair, truncate or drop table."},
    Message{InformixCode::DuplicateViewColumn, "Duplicate column (%s) exists in view."},
    Message{InformixCode::ObjectDoesNotExist, "Object does not exist."},
    Message{InformixCode::RoutineAlreadyExists,
            "Another routine (%s) with same signature already exists in database."},
    Message{InformixCode::TriggerHasNoAction, "Trigger has no triggered action."},
    Message{InformixCode::ReferencingWithoutForEachRow,
            "Cannot specify REFERENCING if trigger does not have FOR EACH ROW."},
    Message{InformixCode::ObjectAlreadyExists, "Object (%s) already exists in database."},
    Message{InformixCode::DependentObjectsExist, "Cannot drop table or view because of existing dependencies."},
    Message{InformixCode::RoleNameInUse, "Role name already exists as a user or role."},
    Message{InformixCode::RoleDoesNotExist, "Role does not exist."},
    Message{InformixCode::NoPrivilegeToSetRole, "No privilege to set to the role."},
    Message{InformixCode::DatabasePrivilegeToRole, "Cannot grant database privileges or default role to a role."},
    Message{InformixCode::InsteadOfTriggerOnTable, "Cannot create an INSTEAD OF trigger on a table (%s)."},
    Message{InformixCode::NonNumericInDateTime, "Non-numeric character in datetime or interval."},
    Message{InformixCode::DateTimeOutOfRange, "The result of a datetime computation is out of range."},
    Message{InformixCode::EmbeddedFailure, "Embedded server failure: %s"},
    Message{InformixCode::NotSupported, "The embedded server does not support %s."},
    Message{InformixCode::DatabaseLocked,
            "The database is locked by another program; nothing was done. Try again when it has finished."},
    Message{InformixCode::DatabaseFileDamaged,
            "The database file cannot be read or written (%s): it was removed, cut short or damaged while in use. "
            "Reconnect, and restore the file from a copy if it was lost."},
    Message{InformixCode::NestedTooDeeply,
            "The statement nests its expressions deeper than the embedded server can read; write it with fewer "
            "levels of parentheses."},
    Message{InformixCode::SequenceValueUndefined, "Sequence (%s) CURRVAL is not yet defined in this session."},
    Message{InformixCode::SequenceExhausted, "Sequence (%s) exceeds its MAXVALUE or MINVALUE."},
    Message{InformixCode::RoutineNotRun,
            "Routine (%s) is stored, but the embedded server does not run stored routines."},
};

} // namespace

QString informixMessage(int code, const QString &parameter)
{
    for (const Message &m : messages) {
        if (m.code == code) {
            QString text = QString::fromLatin1(m.text);
            text.replace(QStringLiteral("%s"), parameter);
            return text;
        }
    }
    return QStringLiteral("Error %1: %2").arg(code).arg(parameter);
}

EngineError informixError(int code, const QString &parameter)
{
    return EngineError(code, informixMessage(code, parameter));
}

} // namespace quoll::connection::embedded
