#pragma once

#include <QByteArray>
#include <QString>

namespace quoll::testing {

// Sets the Informix client variables for one test and restores them after.
class ClientEnvironment
{
public:
    explicit ClientEnvironment(const QString &sqlhosts)
        : m_sqlhosts(qgetenv("INFORMIXSQLHOSTS")), m_dir(qgetenv("INFORMIXDIR")),
          m_hadSqlhosts(qEnvironmentVariableIsSet("INFORMIXSQLHOSTS")), m_hadDir(qEnvironmentVariableIsSet("INFORMIXDIR"))
    {
        qunsetenv("INFORMIXDIR");
        if (sqlhosts.isEmpty())
            qunsetenv("INFORMIXSQLHOSTS");
        else
            qputenv("INFORMIXSQLHOSTS", sqlhosts.toLocal8Bit());
    }
    ~ClientEnvironment()
    {
        restore("INFORMIXSQLHOSTS", m_hadSqlhosts, m_sqlhosts);
        restore("INFORMIXDIR", m_hadDir, m_dir);
    }

private:
    static void restore(const char *name, bool wasSet, const QByteArray &value)
    {
        if (wasSet)
            qputenv(name, value);
        else
            qunsetenv(name);
    }

    QByteArray m_sqlhosts;
    QByteArray m_dir;
    bool m_hadSqlhosts;
    bool m_hadDir;
};

} // namespace quoll::testing
