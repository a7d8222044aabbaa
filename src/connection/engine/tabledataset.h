#pragma once

#include "connection/engine/dataset.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace quoll::connection {

class Engine;
class PreparedStatement;

// A data set over every row of one table that can also be edited. It reads
// "SELECT * FROM <table>", or, when the table has no primary key, also the
// engine's row identity ("SELECT rowid, * FROM <table>"); the identity is
// kept with each row but is not one of fields(). Rows are found again for
// UPDATE and DELETE by their primary key, else by that identity.
//
// Editing works on a buffer: edit() or insert() fills it, setValue() changes
// it, post() writes it through a prepared statement with "?" markers, and
// only then does the stored row change. UPDATE sets only the fields that
// were given a value; INSERT lists only those. A failed post raises
// EngineError and keeps the state and the buffer, so nothing typed is lost.
// Moving to another row posts a changed buffer first (and a failure stops
// the move); an untouched one is dropped.
//
// After an insert the new row is read back from the table, so that defaults
// and serial numbers show: by its primary key when the buffer holds every
// key value; else, for a key whose one missing column is a serial, with the
// serial value the insert produced; else by the row identity the insert
// produced. Back ends must therefore fill, right after an INSERT executed
// through a prepared statement, communicationArea().serialOrSecondary with
// the serial value it generated (0 when none) and communicationArea().rowId
// with the new row's identity (0 when the server has none). When none of
// these finds the row, it shows the values as they were entered. A failure
// of that read propagates, with the row inserted and the state Browse.
//
// The engine must outlive the data set.
class TableDataset : public Dataset
{
    Q_OBJECT

public:
    enum class State { Browse, Edit, Insert };
    Q_ENUM(State)

    explicit TableDataset(Engine &engine, QObject *parent = nullptr);
    ~TableDataset() override;

    // Opens on the first row of `tableName` (used in statements as given,
    // quoted only when it is not a plain name). Posts a changed buffer of
    // the table open before. Raises EngineError.
    void open(const QString &tableName);
    const QString &tableName() const { return m_table; }

    State state() const { return m_state; }
    // Whether setValue() was called since edit() or insert().
    bool isModified() const;

    // Starts editing the current row; raises EngineError when there is
    // none or when it cannot be found again in the table.
    void edit();
    // Starts a new row, all NULL, right after the current row (at the end
    // of an empty set), and makes it current.
    void insert();

    // Sets a field of the buffer; a null QVariant or a null QString is
    // NULL. In Browse state it starts editing the current row.
    void setValue(int field, const QVariant &value);
    void setValue(int field, const QString &text);
    // The buffer's value while editing, else the current row's stored text;
    // a null QVariant for NULL.
    QVariant value(int field) const;

    // Writes the buffer to the table and returns to Browse (nothing to do
    // in Browse). Raises EngineError and stays as it was on failure,
    // including when an UPDATE finds the row no longer there.
    void post();
    // Drops the buffer; a new row that was not posted disappears and the
    // row current before insert() is current again.
    void cancel();
    // Deletes the current row from the table and the set; the caller has
    // asked for confirmation. A new row not yet posted is cancelled.
    void remove();
    // Reads the table again from the start and returns to the same row
    // index (or the last row, when there are fewer now).
    void refresh();

    // The number of rows the table holds, asked of the server with one
    // COUNT(*): no row is read and the current row stays. Raises EngineError.
    qint64 tableRecordCount();

signals:
    void stateChanged(quoll::connection::TableDataset::State state);

protected:
    void beforeMove() override;
    void beforeReset() override;

private:
    using Dataset::attach;

    // The WHERE condition that finds a row, with the values for its markers.
    struct RowKey
    {
        QString condition;
        QList<QVariant> values;
    };

    std::unique_ptr<Cursor> select(const QString &condition, const QList<QVariant> &values);
    QString selectText() const;
    RowKey storedRowKey(qint64 row) const;
    bool insertedRowKey(RowKey &key) const;
    QList<int> assignedFields() const;
    QList<QString> storedValues(qint64 row) const;
    void execute(PreparedStatement &statement, const QList<QVariant> &values, bool mustAffect);
    void postEdit();
    void postInsert();
    void reReadRow(qint64 row, const RowKey &key);
    void startBuffer(State state);
    void endBuffer();

    Engine &m_engine;
    QString m_table;
    QStringList m_primaryKey;
    QString m_identity;   // the row identity expression, empty when the key is used

    State m_state = State::Browse;
    QList<QVariant> m_buffer;
    QList<bool> m_assigned;
    // Where insert() started from, for cancel().
    qint64 m_priorRow = -1;
    bool m_priorAtBeginning = true;
    bool m_priorAtEnd = true;
};

} // namespace quoll::connection
