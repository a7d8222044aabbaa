#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QToolButton;

namespace quoll {
class Dialogs;
}

namespace quoll::connection {

class Database;

// The two transaction buttons of the top bar. `tbBeginCommit` starts a
// transaction, or commits the open one; `tbRollback` rolls it back. The
// buttons show what the connection says about an open transaction after
// every attempt, whether it succeeded or failed; the program keeps no flag
// of its own.
class TransactionControl : public QObject
{
    Q_OBJECT

public:
    // Writes an event-log entry: message and details.
    using Log = std::function<void(const QString &message, const QString &details)>;

    static constexpr const char *BeginHint = "Начать транзакцию";
    static constexpr const char *CommitHint = "Накатить транзакцию";

    TransactionControl(Database &database, QToolButton *beginCommit, QToolButton *rollback, Dialogs &dialogs,
                       Log log, QObject *parent = nullptr);

    // Click on `tbBeginCommit`: commits an open transaction, else starts one.
    void beginCommitClick();
    void CommitTransaction();
    void RollbackTransaction();

    // Before a disconnect or a database switch: with a transaction open, asks
    // whether to finish it; Yes commits, No rolls back. False when the user
    // answers Cancel (nothing is changed then).
    bool finishOpenTransaction();

    // Puts both buttons in the state the connection is in: disabled while
    // disconnected; else `tbBeginCommit` enabled, down with the commit hint
    // inside a transaction, and `tbRollback` enabled only there.
    void followConnection();

private:
    Database &m_database;
    QToolButton *m_beginCommit;
    QToolButton *m_rollback;
    Dialogs &m_dialogs;
    Log m_log;
};

} // namespace quoll::connection
