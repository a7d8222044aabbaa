#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QToolButton;
class QWidget;

namespace quoll::catalog {
class BrowserQueries;
}
namespace quoll::connection {
class Database;
class Engine;
class Query;
class TransactionControl;
} // namespace quoll::connection
namespace quoll::widgets {
class StatusBar;
}

namespace quoll::app {

class TopBar;

// Connecting, disconnecting and switching databases from the top bar: the
// toggle `tbConnect`, the steps that run after connecting and around
// disconnecting (installed as the connection's hooks), the database picker
// `cbDataBaseName` and the controls that follow the connection state.
class ConnectionControl : public QObject
{
    Q_OBJECT

public:
    using Log = std::function<void(const QString &message, const QString &details)>;

    struct Parts
    {
        connection::Database &database;
        connection::Query &viewQuery;               // `qViewQuery`
        catalog::BrowserQueries &browserQueries;
        connection::TransactionControl &transactions;
        TopBar *topBar;
        QWidget *window;                            // carries the caption
        widgets::StatusBar *statusBar;
        QList<QWidget *> browserControls;           // name filters and find buttons
    };

    // `makeEngine` gives the back end of the server picked in
    // `cbServerName`; `resetDatabaseViews` empties every view of the
    // current database's data.
    ConnectionControl(Parts parts, Log log, std::function<std::unique_ptr<connection::Engine>()> makeEngine,
                      std::function<void()> resetDatabaseViews, QObject *parent = nullptr);

    static constexpr const char *ConnectFailed = "Ошибка подключения к базе";
    static constexpr const char *Connected = "Подключение к базе";
    static constexpr const char *Disconnected = "Отключение от базы";

    // Runs first when the connection leaves its database (a disconnect or a
    // switch), before the transaction question; raising stops the leaving.
    void setBeforeLeavingDatabase(std::function<void()> step) { m_beforeLeaving = std::move(step); }

    // Click on `tbConnect` (its state already flipped by the click).
    void tbConnectClick();
    // The user picked an entry of `cbDataBaseName`.
    void switchDatabase();

    const QString &savedServerName() const { return m_savedServerName; }
    void setSavedServerName(const QString &name) { m_savedServerName = name; }
    const QString &savedDataBaseName() const { return m_savedDataBaseName; }
    void setSavedDataBaseName(const QString &name) { m_savedDataBaseName = name; }
    const QString &serverMajorVersion() const { return m_serverMajorVersion; }

    // Index of the database to preselect in the sorted `names`: the one equal
    // to `saved` with letter case ignored, else "sysmaster", else -1.
    static int preselection(const QStringList &names, const QString &saved);

private:
    void afterConnect();
    void beforeDisconnect();
    void afterDisconnect();
    void setConnectedControls(bool connected);
    void readUserAndVersion();
    void fillDatabaseList();
    // "server@database" of the log entries.
    QString location(const QString &database) const;

    Parts m_parts;
    Log m_log;
    std::function<std::unique_ptr<connection::Engine>()> m_makeEngine;
    std::function<void()> m_resetDatabaseViews;
    std::function<void()> m_beforeLeaving;
    QString m_savedServerName;
    QString m_savedDataBaseName;
    QString m_serverMajorVersion;
};

} // namespace quoll::app
