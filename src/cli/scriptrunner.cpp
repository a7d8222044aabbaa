#include "cli/scriptrunner.h"

#include "connection/engine/database.h"
#include "connection/engine/engineerror.h"
#include "core/error.h"
#include "export/exportsource.h"
#include "workspace/scriptsplitter.h"

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

} // namespace

bool runScript(connection::Database &database, const QString &script, QTextStream &out, QTextStream &err,
               const std::optional<ExportTarget> &target)
{
    connection::Engine &engine = database.engine();
    // The export of the latest statement with rows, finished only when the
    // script has run through.
    std::unique_ptr<exporting::ExportWriter> pending;
    // Scripts from files and pipes end their lines with LF as often as not.
    workspace::ScriptSplitter splitter(script, 0, workspace::ScriptSplitter::LineBreaks::Any);
    int number = 0;
    while (const auto statement = splitter.next()) {
        ++number;
        connection::DirectResult result = engine.executeDirect(statement->text.toString());
        if (result.status != connection::StatusOk) {
            const connection::ErrorEntry error = engine.lastError();
            err << "error " << error.nativeCode << ": " << error.context << " (statement " << number
                << ", offset " << engine.communicationArea().errorOffset << ")\n";
            err.flush();
            return false;
        }
        if (!result.cursor)
            continue;
        if (target) {
            try {
                pending.reset();
                pending = exporting::makeWriter(target->format, target->path, target->options);
                exporting::CursorSource source(*result.cursor);
                exporting::writeRows(source, *pending);
            } catch (const connection::EngineError &e) {
                err << "error " << e.nativeCode() << ": " << e.message() << " (statement " << number << ", offset 0)\n";
                err.flush();
                return false;
            } catch (const Error &e) {
                err << "quoll-sql: " << e.message() << '\n';
                err.flush();
                return false;
            }
            continue;
        }
        QStringList names;
        for (const connection::FieldDesc &f : result.cursor->fields())
            names.append(f.name);
        out << names.join(u'\t') << '\n';
        LineSink sink(out);
        try {
            while (result.cursor->fetch(sink))
                sink.endRow();
        } catch (const connection::EngineError &e) {
            out.flush();
            err << "error " << e.nativeCode() << ": " << e.message() << " (statement " << number << ", offset 0)\n";
            err.flush();
            return false;
        }
    }
    out.flush();
    if (pending) {
        try {
            pending->finish();
        } catch (const Error &e) {
            err << "quoll-sql: " << e.message() << '\n';
            err.flush();
            return false;
        }
    }
    return true;
}

} // namespace quoll::cli
