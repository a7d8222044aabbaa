#pragma once

#include "connection/engine/engine.h"
#include "connection/engine/parameterlist.h"

#include <functional>
#include <memory>

namespace quoll::connection {

// What the program does around connecting and disconnecting. The login hook
// gets a list with "USER NAME" and "PASSWORD" to fill in; raising
// SilentAbort there, or in the before-disconnect hook, cancels quietly.
struct ConnectionHooks
{
    std::function<void(ParameterList &parameters)> beforeConnect;
    std::function<void(ParameterList &login)> login;
    std::function<void()> afterConnect;
    std::function<void()> beforeDisconnect;
    std::function<void()> afterDisconnect;
};

// The session's one connection object, named "local": the parameter list,
// the hooks, and the back end it talks to. Every query of the program goes
// through it.
class Database
{
public:
    static constexpr const char *Name = "local";

    explicit Database(std::unique_ptr<Engine> engine = nullptr);

    // The back end for the next connect (the server entry decides which);
    // only while disconnected.
    void setEngine(std::unique_ptr<Engine> engine);
    bool hasEngine() const { return bool(m_engine); }
    Engine &engine() const;

    ParameterList &parameters() { return m_parameters; }
    const ParameterList &parameters() const { return m_parameters; }
    ConnectionHooks &hooks() { return m_hooks; }

    // Connects: before-connect hook, login hook, the physical connect with
    // the login's user name and password, after-connect hook. A failure in
    // the after-connect hook leaves the connection open. The password is
    // handed to the back end and kept nowhere.
    void open();
    // Disconnects (nothing when not connected): before-disconnect hook, the
    // physical disconnect, after-disconnect hook.
    void close();
    bool isConnected() const;

    // Runs a statement that yields no rows; a colon in it is plain text.
    void execute(const QString &sql);

    bool inTransaction() const;
    void startTransaction();
    void commit();
    void rollback();

private:
    std::unique_ptr<Engine> m_engine;
    ParameterList m_parameters;
    ConnectionHooks m_hooks;
};

} // namespace quoll::connection
