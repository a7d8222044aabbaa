#include "connection/embedded/catalog/catalogrows.h"

#include "connection/embedded/catalog/catalogtext.h"
#include "connection/embedded/server/informixerrors.h"

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

namespace {

// A prepared statement with its values bound, finalized when it goes.
class Bound
{
public:
    Bound(sqlite3 *db, const char *sql, const QList<QVariant> &values) : m_db(db)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            fail();
        for (int i = 0; i < values.size(); ++i) {
            const QVariant &v = values[i];
            if (v.isNull()) {
                sqlite3_bind_null(m_stmt, i + 1);
            } else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong) {
                sqlite3_bind_int64(m_stmt, i + 1, v.toLongLong());
            } else {
                const QByteArray text = v.toString().toUtf8();
                sqlite3_bind_text(m_stmt, i + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            }
        }
    }
    ~Bound() { sqlite3_finalize(m_stmt); }
    Bound(const Bound &) = delete;
    Bound &operator=(const Bound &) = delete;

    // True when a row came.
    bool step()
    {
        const int rc = sqlite3_step(m_stmt);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            fail();
        return rc == SQLITE_ROW;
    }
    sqlite3_stmt *statement() const { return m_stmt; }

private:
    [[noreturn]] void fail() const
    {
        throw informixError(InformixCode::EmbeddedFailure, QString::fromUtf8(sqlite3_errmsg(m_db)));
    }

    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

} // namespace

qint64 catalogExec(sqlite3 *db, const char *sql, const QList<QVariant> &values)
{
    Bound stmt(db, sql, values);
    return stmt.step() ? sqlite3_column_int64(stmt.statement(), 0) : 0;
}

QList<QList<QVariant>> catalogRows(sqlite3 *db, const char *sql, const QList<QVariant> &values)
{
    Bound stmt(db, sql, values);
    QList<QList<QVariant>> rows;
    while (stmt.step()) {
        sqlite3_stmt *s = stmt.statement();
        QList<QVariant> row;
        for (int c = 0; c < sqlite3_column_count(s); ++c) {
            switch (sqlite3_column_type(s, c)) {
            case SQLITE_NULL: row.append(QVariant()); break;
            case SQLITE_INTEGER: row.append(sqlite3_column_int64(s, c)); break;
            default: row.append(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, c))));
            }
        }
        rows.append(row);
    }
    return rows;
}

std::optional<QString> catalogText(sqlite3 *db, const char *sql, const QList<QVariant> &values)
{
    Bound stmt(db, sql, values);
    if (!stmt.step() || sqlite3_column_type(stmt.statement(), 0) == SQLITE_NULL)
        return std::nullopt;
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt.statement(), 0)));
}

QString CatalogWrite::toString() const
{
    QString line = QString::fromUtf8(sql);
    for (const QVariant &v : values)
        line += u" | "_s + (v.isNull() ? u"NULL"_s : v.toString());
    return line;
}

void CatalogWriter::write(const char *sql, const QList<QVariant> &values)
{
    catalogExec(m_db, sql, values);
    m_writes.push_back({QByteArray(sql), values});
}

void CatalogWriter::write(const QString &sql, const QList<QVariant> &values)
{
    const QByteArray utf8 = sql.toUtf8();
    catalogExec(m_db, utf8.constData(), values);
    m_writes.push_back({utf8, values});
}

void writeCatalogText(CatalogWriter &out, PieceTable table, qint64 id, QChar datakey, const QString &text)
{
    const qsizetype length = table == PieceTable::Views ? CatalogPiece::ViewText : CatalogPiece::BodyData;
    const QStringList pieces = splitCatalogText(text, length);
    for (int seqno = 0; seqno < pieces.size(); ++seqno) {
        switch (table) {
        case PieceTable::Views:
            out.write("insert into sysviews (tabid, seqno, viewtext) values (?, ?, ?)", {id, seqno, pieces[seqno]});
            break;
        case PieceTable::TriggerBody:
            out.write("insert into systrigbody (trigid, datakey, seqno, data) values (?, ?, ?, ?)",
                        {id, QString(datakey), seqno, pieces[seqno]});
            break;
        case PieceTable::RoutineBody:
            out.write("insert into sysprocbody (procid, datakey, seqno, data) values (?, ?, ?, ?)",
                        {id, QString(datakey), seqno, pieces[seqno]});
            break;
        }
    }
}

QString quotedIdentifier(const QString &name)
{
    QString q = name;
    q.replace(u'"', u"\"\""_s);
    return u'"' + q + u'"';
}

QString bracketedIdentifier(const QString &name)
{
    bool plain = !name.isEmpty() && (name[0].isLetter() || name[0] == u'_');
    for (QChar c : name)
        plain = plain && (c.isLetterOrNumber() || c == u'_');
    if (plain)
        return name;
    QString q = name;
    q.replace(u']', u"]]"_s);
    return u'[' + q + u']';
}

} // namespace quoll::connection::embedded
