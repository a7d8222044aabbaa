#include "connection/embedded/server/serverstatements.h"

#include "connection/embedded/server/embeddedengine.h"
#include "connection/embedded/server/informixerrors.h"

#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::embedded {

bool isServerStatement(const StatementTokens &words)
{
    if (words.isWord(0, "database") || (words.isWord(0, "close") && words.isWord(1, "database"))
        || ((words.isWord(0, "create") || words.isWord(0, "drop")) && words.isWord(1, "database")))
        return true;
    if (words.isWord(0, "begin") || words.isWord(0, "commit") || words.isWord(0, "rollback"))
        return words.size() == 1 || (words.size() == 2 && words.isWord(1, "work"));
    return words.isWord(0, "set")
           && (words.isWord(1, "isolation") || (words.isWord(1, "lock") && words.isWord(2, "mode"))
               || words.isWord(1, "explain") || words.isWord(1, "pdqpriority") || words.isWord(1, "optimization")
               || words.isWord(1, "deferred_prepare"));
}

// Statements the server carries out itself; false when `words` is none.
bool EmbeddedEngine::runServerStatement(const StatementTokens &words, Outcome &outcome)
{
    const auto word = [&]<size_t N>(size_t i, const char (&w)[N]) { return words.isWord(i, w); };
    // A database's name: a word or a quoted name.
    const auto nameAt = [&](size_t i) -> QString {
        if (words.isString(i))
            return words.value(i);
        return words.isWord(i) ? words.text(i).toString() : QString();
    };
    const auto errorAt = [&](size_t i) { return words.begin(i); };

    if (word(0, "database") && words.size() >= 2) {
        const QString name = nameAt(1);
        const bool exclusive = word(2, "exclusive");
        if (name.isEmpty() || words.size() > (exclusive ? 3u : 2u)) {
            fail(outcome, InformixCode::SyntaxError, {}, errorAt(name.isEmpty() ? 1 : (exclusive ? 3 : 2)));
            return true;
        }
        if (!m_server.hasDatabase(name)) {
            fail(outcome, InformixCode::DatabaseNotFound, {}, errorAt(1));
            return true;
        }
        switchDatabase(name);
        m_area.warnings.fill(' ');
        m_area.warnings[0] = 'W';
        m_area.warnings[1] = m_logging ? 'W' : ' ';
        m_area.warnings[3] = 'W';
        return true;
    }
    if (word(0, "close") && word(1, "database") && words.size() == 2) {
        if (m_db && !sqlite3_get_autocommit(m_db)) {
            fail(outcome, InformixCode::AlreadyInTransaction, {}, errorAt(0));
            return true;
        }
        closeDatabase();
        return true;
    }
    if (word(0, "create") && word(1, "database")) {
        const QString name = nameAt(2);
        size_t i = 3;
        if (word(i, "in")) // dbspace: accepted and ignored
            i += 2;
        bool logging = false;
        if (word(i, "with")) {
            ++i;
            if (word(i, "buffered"))
                ++i;
            if (!word(i, "log")) {
                fail(outcome, InformixCode::SyntaxError, {}, errorAt(i));
                return true;
            }
            ++i;
            if (word(i, "mode") && word(i + 1, "ansi"))
                i += 2;
            logging = true;
        }
        if (name.isEmpty() || i != words.size()) {
            fail(outcome, InformixCode::SyntaxError, {}, errorAt(name.isEmpty() ? 2 : i));
            return true;
        }
        if (!EmbeddedServer::isValidName(name) || m_server.hasDatabase(name)) {
            fail(outcome, InformixCode::CannotCreateDatabase, {}, errorAt(2));
            return true;
        }
        m_server.createDatabase(name, m_session.user, logging);
        switchDatabase(name);   // as on a server, the new database becomes current
        m_area.warnings.fill(' ');
        m_area.warnings[0] = 'W';
        m_area.warnings[1] = logging ? 'W' : ' ';
        m_area.warnings[3] = 'W';
        return true;
    }
    if (word(0, "drop") && word(1, "database")) {
        const QString name = nameAt(2);
        if (name.isEmpty() || words.size() != 3) {
            fail(outcome, InformixCode::SyntaxError, {}, errorAt(name.isEmpty() ? 2 : 3));
            return true;
        }
        if (!m_server.hasDatabase(name) || EmbeddedServer::normalName(name) == QLatin1String(EmbeddedServer::Sysmaster)) {
            fail(outcome, InformixCode::DatabaseNotFound, {}, errorAt(2));
            return true;
        }
        if (EmbeddedServer::normalName(name) == m_session.database)
            closeDatabase();
        m_server.dropDatabase(name);
        return true;
    }
    if ((word(0, "begin") && (words.size() == 1 || (word(1, "work") && words.size() == 2)))
        || (word(0, "commit") && (words.size() == 1 || (word(1, "work") && words.size() == 2)))
        || (word(0, "rollback") && (words.size() == 1 || (word(1, "work") && words.size() == 2)))) {
        try {
            if (word(0, "begin"))
                startTransaction();
            else if (word(0, "commit"))
                commit();
            else
                rollback();
        } catch (const EngineError &e) {
            fail(outcome, e.nativeCode(), {}, errorAt(0));
        }
        return true;
    }
    if (word(0, "set") && (word(1, "isolation") || (word(1, "lock") && word(2, "mode")) || word(1, "explain")
                           || word(1, "pdqpriority") || word(1, "optimization") || word(1, "deferred_prepare"))) {
        // Accepted: the embedded server has one connection per file and no
        // lock waits or plans to tune.
        database();
        return true;
    }
    return false;
}

} // namespace quoll::connection::embedded
