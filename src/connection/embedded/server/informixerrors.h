#pragma once

#include "connection/engine/engineerror.h"

#include <QString>

namespace quoll::connection::embedded {

// The Informix error codes the embedded server answers with, and their
// message texts; "%s" in a text is filled with the statement's object name.
namespace InformixCode {
enum : int {
    SyntaxError = -201,
    IllegalCharacter = -202,
    TableNotInDatabase = -206,
    ColumnNotFound = -217,
    ColumnCountMismatch = -236,
    DuplicateInUniqueIndex = -239,
    NotInTransaction = -255,
    TransactionNotAvailable = -256,
    UniqueConstraintViolated = -268,
    UnmatchedQuote = -282,
    SubqueryNotOneRow = -284,
    NoKeyInReferencedTable = -297,
    TableAlreadyExists = -310,
    ColumnAlreadyExists = -328,
    IndexAlreadyExists = -316,
    IndexDoesNotExist = -319,
    AmbiguousColumn = -324,
    DatabaseNotFound = -329,
    CannotCreateDatabase = -330,
    DatabaseNotSelected = -349,
    DuplicateKeysForUniqueIndex = -371,
    NullIntoNotNull = -391,
    TwoSidedOuterJoin = -393,
    OuterCartesianProduct = -395,
    CheckConstraintFailed = -530,
    AlreadyInTransaction = -535,
    ConstraintNotFound = -623,
    RoutineNotResolved = -674,
    MissingKeyInReferencedTable = -691,
    KeyStillReferenced = -692,
    TriggerOnView = -322,
    PublicWithGrantOption = -298,
    GrantToSelf = -299,
    ViewColumnCountMismatch = -382,
    ViewNeedsColumnNames = -383,
    ViewNotFound = -394,
    OnlyOnTables = -523,
    DuplicateViewColumn = -531,
    ObjectDoesNotExist = -634,
    RoutineAlreadyExists = -673,
    TriggerHasNoAction = -729,
    ReferencingWithoutForEachRow = -730,
    ObjectAlreadyExists = -743,
    DependentObjectsExist = -886,
    RoleNameInUse = -19800,
    RoleDoesNotExist = -19804,
    NoPrivilegeToSetRole = -19805,
    DatabasePrivilegeToRole = -19806,
    InsteadOfTriggerOnTable = -19827,
    DivisionByZero = -1202,
    CharacterToNumericFailed = -1213,
    InvalidYearInDate = -1204,
    InvalidMonthInDate = -1205,
    InvalidDayInDate = -1206,
    StringToDateFailed = -1218,
    NonNumericInDateTime = -1262,
    DateTimeOutOfRange = -1267,
    // The embedded server's own failures (storage, files): not Informix codes.
    EmbeddedFailure = -32001,
    RoutineNotRun = -32002,
    SequenceValueUndefined = -8315, // CURRVAL before the session's first NEXTVAL
    SequenceExhausted = -8316,      // past MAXVALUE (or MINVALUE) without CYCLE
    NotSupported = -32003,          // a form the embedded server does not follow
    NestedTooDeeply = -32006,       // beyond the storage engine's parser, even with redundant parentheses gone
    DatabaseLocked = -32007,        // another program holds the database file
    DatabaseFileDamaged = -32008,   // the file was removed, cut short or damaged while in use
};
} // namespace InformixCode

// The message of `code` with `parameter` in place of "%s".
QString informixMessage(int code, const QString &parameter = {});

// An EngineError carrying `code` and its message.
EngineError informixError(int code, const QString &parameter = {});

// A failure found while reading a statement, with the index in the user's
// text of the character it is reported at.
class StatementError : public EngineError
{
public:
    StatementError(int code, qsizetype at, const QString &parameter = {})
        : EngineError(code, informixMessage(code, parameter)), m_at(at) {}
    // The same failure, its message kept, at a position in another text.
    StatementError(const StatementError &other, qsizetype at) : EngineError(other), m_at(at) {}

    qsizetype at() const noexcept { return m_at; }

private:
    qsizetype m_at;
};

} // namespace quoll::connection::embedded
