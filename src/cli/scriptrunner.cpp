#include "cli/scriptrunner.h"

#include "connection/engine/database.h"
#include "connection/engine/engineerror.h"
#include "core/error.h"
#include "export/exportsource.h"
#include "workspace/scriptrun.h"

#include <QByteArray>

namespace quoll::cli {

namespace {

// Writes each row straight to the output, without keeping it.
class LineSink : public connection::RowSink
{
public:
    explicit LineSink(QTextStream &out) : m_out(out) {}

    void addField(const char *utf8, std::size_t length) override
    {
        separate();
        // A TAB or line break inside a value would break the line format.
        QString value = QString::fromUtf8(utf8, qsizetype(length));
        value.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
        m_out << value;
    }
    void addNull() override { separate(); }
    void endRow()
    {
        m_out << '\n';
        m_first = true;
    }

private:
    void separate()
    {
        if (!m_first)
            m_out << '\t';
        m_first = false;
    }

    QTextStream &m_out;
    bool m_first = true;
};

// Shows what the script runner reports as lines of text: the rows of every
// result (or, with an export target, the rows of the last one in its file),
// and one error line for a failure.
class Printer final : public workspace::ScriptObserver
{
public:
    Printer(QTextStream &out, QTextStream &err, const std::optional<ExportTarget> &target)
        : m_out(out), m_err(err), m_target(target)
    {
    }

    bool afterStatement(workspace::StatementOutcome &outcome) override
    {
        if (outcome.failed) {
            error(outcome.nativeCode, outcome.context, outcome.number, outcome.errorOffset);
            return false;
        }
        if (!outcome.cursor)
            return true;
        try {
            if (m_target)
                exportRows(*outcome.cursor);
            else
                printRows(*outcome.cursor);
        } catch (const connection::EngineError &e) {
            error(e.nativeCode(), e.message(), outcome.number, 0);
            return false;
        } catch (const Error &e) {
            m_err << "quoll-sql: " << e.message() << '\n';
            m_err.flush();
            return false;
        }
        return true;
    }

    // Puts the last export in place; false (and why) when it cannot be.
    bool finish()
    {
        m_out.flush();
        if (!m_pending)
            return true;
        try {
            m_pending->finish();
        } catch (const Error &e) {
            m_err << "quoll-sql: " << e.message() << '\n';
            m_err.flush();
            return false;
        }
        return true;
    }

private:
    void error(int code, const QString &message, int number, int offset)
    {
        m_out.flush();
        m_err << "error " << code << ": " << message << " (statement " << number << ", offset " << offset << ")\n";
        m_err.flush();
    }

    void printRows(connection::Cursor &cursor)
    {
        QStringList names;
        for (const connection::FieldDesc &f : cursor.fields())
            names.append(f.name);
        m_out << names.join(u'\t') << '\n';
        LineSink sink(m_out);
        while (cursor.fetch(sink))
            sink.endRow();
    }

    // The export of the latest statement with rows, finished only when the
    // script has run through.
    void exportRows(connection::Cursor &cursor)
    {
        m_pending.reset();
        m_pending = exporting::makeWriter(m_target->format, m_target->path, m_target->options);
        exporting::CursorSource source(cursor);
        exporting::writeRows(source, *m_pending);
    }

    QTextStream &m_out;
    QTextStream &m_err;
    const std::optional<ExportTarget> &m_target;
    std::unique_ptr<exporting::ExportWriter> m_pending;
};

} // namespace

bool runScript(connection::Database &database, const QString &script, QTextStream &out, QTextStream &err,
               const std::optional<ExportTarget> &target)
{
    Printer printer(out, err, target);
    // Scripts from files and pipes end their lines with LF as often as not.
    const bool ran = workspace::ScriptRunner(database.engine())
                         .run(script, 0, printer, workspace::ScriptSplitter::LineBreaks::Any);
    if (!ran) {
        out.flush();
        return false;
    }
    return printer.finish();
}

} // namespace quoll::cli
