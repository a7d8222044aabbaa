#include "connection/widgets/transactioncontrol.h"

#include "connection/engine/database.h"
#include "core/dialogs.h"

#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection {

namespace {

// Runs `step` and then brings the buttons in line with the connection,
// also when the step raised.
template<class Step>
void thenFollow(TransactionControl &control, Step step)
{
    struct Follow
    {
        TransactionControl &control;
        ~Follow() { control.followConnection(); }
    } follow{control};
    step();
}

} // namespace

TransactionControl::TransactionControl(Database &database, QToolButton *beginCommit, QToolButton *rollback,
                                       Dialogs &dialogs, Log log, QObject *parent)
    : QObject(parent), m_database(database), m_beginCommit(beginCommit), m_rollback(rollback),
      m_dialogs(dialogs), m_log(std::move(log))
{
    // Shown pressed while a transaction is open; the click's own toggling
    // is overruled by followConnection.
    m_beginCommit->setCheckable(true);
}

void TransactionControl::beginCommitClick()
{
    if (m_database.inTransaction()) {
        CommitTransaction();
        return;
    }
    thenFollow(*this, [this] {
        m_beginCommit->setChecked(true);
        m_database.startTransaction();
        m_log(u"Начало транзакции"_s, QString());
    });
}

void TransactionControl::CommitTransaction()
{
    thenFollow(*this, [this] {
        m_beginCommit->setChecked(false);
        m_database.commit();
        m_log(u"Накат транзакции"_s, QString());
    });
}

void TransactionControl::RollbackTransaction()
{
    thenFollow(*this, [this] {
        m_beginCommit->setChecked(false);
        m_database.rollback();
        m_log(u"Откат транзакции"_s, QString());
    });
}

bool TransactionControl::finishOpenTransaction()
{
    if (!m_database.inTransaction())
        return true;
    const Dialogs::Button answer = m_dialogs.question(u"Транзакция"_s, u"Завершить транзакцию"_s,
                                                      Dialogs::Button::Yes | Dialogs::Button::No
                                                          | Dialogs::Button::Cancel,
                                                      Dialogs::Button::Cancel);
    switch (answer) {
    case Dialogs::Button::Yes:
        CommitTransaction();
        return true;
    case Dialogs::Button::No:
        RollbackTransaction();
        return true;
    default:
        return false;
    }
}

void TransactionControl::followConnection()
{
    const bool connected = m_database.isConnected();
    const bool open = connected && m_database.inTransaction();
    m_beginCommit->setEnabled(connected);
    m_beginCommit->setChecked(open);
    m_beginCommit->setToolTip(QString::fromUtf8(open ? CommitHint : BeginHint));
    m_rollback->setEnabled(open);
}

} // namespace quoll::connection
