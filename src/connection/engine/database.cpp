#include "connection/engine/database.h"

#include "connection/engine/engineerror.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection {

namespace {
const QString UserName = u"USER NAME"_s;
const QString Password = u"PASSWORD"_s;
} // namespace

Database::Database(std::unique_ptr<Engine> engine) : m_engine(std::move(engine))
{
}

void Database::setEngine(std::unique_ptr<Engine> engine)
{
    if (isConnected())
        throw EngineError(0, u"The back end cannot change while connected."_s);
    m_engine = std::move(engine);
}

Engine &Database::engine() const
{
    if (!m_engine)
        throw EngineError(0, u"No database server is chosen."_s);
    return *m_engine;
}

void Database::open()
{
    if (isConnected())
        return;
    if (m_hooks.beforeConnect)
        m_hooks.beforeConnect(m_parameters);
    ParameterList login;
    login.setValue(UserName, m_parameters.value(UserName));
    login.setValue(Password, m_parameters.value(Password));
    if (m_hooks.login)
        m_hooks.login(login);
    ParameterList effective = m_parameters;
    effective.setValue(UserName, login.value(UserName));
    effective.setValue(Password, login.value(Password));
    engine().connect(effective);
    if (m_hooks.afterConnect)
        m_hooks.afterConnect();
}

void Database::close()
{
    if (!isConnected())
        return;
    if (m_hooks.beforeDisconnect)
        m_hooks.beforeDisconnect();
    m_engine->disconnect();
    if (m_hooks.afterDisconnect)
        m_hooks.afterDisconnect();
}

bool Database::isConnected() const
{
    return m_engine && m_engine->isConnected();
}

void Database::execute(const QString &sql)
{
    engine().execute(sql);
}

bool Database::inTransaction() const
{
    return isConnected() && m_engine->inTransaction();
}

void Database::startTransaction()
{
    engine().startTransaction();
}

void Database::commit()
{
    engine().commit();
}

void Database::rollback()
{
    engine().rollback();
}

} // namespace quoll::connection
