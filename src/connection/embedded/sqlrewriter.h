#pragma once

#include <QString>
#include <QStringView>

#include <vector>

namespace quoll::connection::embedded {

// A statement rewritten for the storage engine, with the way back from a
// position in the rewritten text to the user's text (so that an error offset
// points at what the user typed).
class RewrittenSql
{
public:
    const QString &text() const { return m_text; }
    // The index in the original statement of the character at `index` of
    // the rewritten text (a replaced piece maps to the start of what it
    // replaced).
    qsizetype originalIndex(qsizetype index) const;

private:
    friend class SqlRewriter;
    struct Segment
    {
        qsizetype outBegin;
        qsizetype originalBegin;
        qsizetype length;     // characters copied unchanged; 0 for a replacement
    };
    QString m_text;
    std::vector<Segment> m_segments;
};

// Builds a RewrittenSql from pieces copied from the original and pieces
// that replace parts of it.
class SqlRewriter
{
public:
    explicit SqlRewriter(QStringView original) : m_original(original) {}

    void copy(qsizetype begin, qsizetype length);
    void replace(qsizetype originalBegin, QStringView text);
    RewrittenSql finish() { return std::move(m_result); }

private:
    QStringView m_original;
    RewrittenSql m_result;
};

// The Informix statement rewritten for SQLite: double-quoted strings become
// string literals, brace comments become blanks, MATCHES becomes the
// storage engine's MATCH operator (served by the server's function), and
// the constant words USER and TODAY become calls of the server's functions.
RewrittenSql rewriteForSqlite(QStringView sql);

} // namespace quoll::connection::embedded
