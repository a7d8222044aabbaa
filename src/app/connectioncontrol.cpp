#include "app/connectioncontrol.h"

#include "app/quollmain.h"
#include "app/topbar.h"
#include "catalog/browserqueries.h"
#include "connection/engine/database.h"
#include "connection/engine/query.h"
#include "connection/engine/sessionstatements.h"
#include "connection/widgets/transactioncontrol.h"
#include "core/error.h"
#include "widgets/popupcombobox.h"
#include "widgets/statusbar.h"
#include "widgets/waitcursor.h"

using namespace Qt::Literals::StringLiterals;

namespace quoll::app {

namespace {

const QString Sysmaster = u"sysmaster"_s;

QString text(const char *message)
{
    return QString::fromUtf8(message);
}

} // namespace

ConnectionControl::ConnectionControl(Parts parts, Log log,
                                     std::function<std::unique_ptr<connection::Engine>()> makeEngine,
                                     std::function<void()> resetDatabaseViews, QObject *parent)
    : QObject(parent), m_parts(std::move(parts)), m_log(std::move(log)), m_makeEngine(std::move(makeEngine)),
      m_resetDatabaseViews(std::move(resetDatabaseViews))
{
    connection::ConnectionHooks &hooks = m_parts.database.hooks();
    hooks.afterConnect = [this] { afterConnect(); };
    hooks.beforeDisconnect = [this] { beforeDisconnect(); };
    hooks.afterDisconnect = [this] { afterDisconnect(); };
    m_parts.topBar->dataBaseName()->setEnabled(false);
    setConnectedControls(false);
}

QString ConnectionControl::location(const QString &database) const
{
    return m_parts.topBar->serverName()->currentText() + u'@' + database;
}

void ConnectionControl::tbConnectClick()
{
    QToolButton *button = m_parts.topBar->connectButton();
    connection::Database &database = m_parts.database;
    if (database.isConnected()) {
        // The button shows the connection afterwards, also when it was up
        // over a connection left open by a failure after connecting.
        try {
            database.close();
        } catch (...) {
            button->setChecked(database.isConnected());
            throw;
        }
        button->setChecked(false);
        return;
    }
    // The first connect to the demo server builds its databases: seconds.
    const widgets::WaitCursor busy;
    try {
        database.setEngine(m_makeEngine());
        database.open();
    } catch (...) {
        button->setChecked(false);
        m_log(text(ConnectFailed), location(Sysmaster));
        throw;
    }
}

void ConnectionControl::setConnectedControls(bool connected)
{
    m_parts.topBar->serverName()->setEnabled(!connected);
    m_parts.topBar->dataBaseName()->setEnabled(connected);
    m_parts.topBar->roleName()->setEnabled(connected);
    for (QWidget *control : std::as_const(m_parts.browserControls))
        control->setEnabled(connected);
    m_parts.transactions.followConnection();
}

void ConnectionControl::afterConnect()
{
    m_log(text(Connected), location(Sysmaster));
    m_savedServerName = m_parts.topBar->serverName()->currentText();
    setConnectedControls(true);
    readUserAndVersion();
    fillDatabaseList();
    m_parts.topBar->dataBaseName()->showPopup();
    m_parts.browserQueries.prepareAll();
}

void ConnectionControl::readUserAndVersion()
{
    const connection::ServerIdentity server = connection::readServerIdentity(m_parts.viewQuery);
    m_parts.window->setWindowTitle(QString::fromLatin1(QuollMain::Caption) + u" ["_s + server.user + u"]   ("_s
                                   + server.version + u')');
    m_serverMajorVersion = server.majorVersion;
}

void ConnectionControl::fillDatabaseList()
{
    QComboBox *combo = m_parts.topBar->dataBaseName();
    combo->clear();
    const QStringList names = connection::readDatabaseNames(m_parts.viewQuery);
    combo->addItems(names);
    combo->setCurrentIndex(preselection(names, m_savedDataBaseName));
}

int ConnectionControl::preselection(const QStringList &names, const QString &saved)
{
    const auto find = [&names](const QString &name) {
        for (int i = 0; i < names.size(); ++i)
            if (names[i].compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    };
    const int remembered = saved.isEmpty() ? -1 : find(saved);
    return remembered >= 0 ? remembered : find(Sysmaster);
}

void ConnectionControl::beforeDisconnect()
{
    if (m_beforeLeaving) {
        try {
            m_beforeLeaving();
        } catch (...) {
            m_parts.topBar->connectButton()->setChecked(true);
            throw;
        }
    }
    if (!m_parts.transactions.finishOpenTransaction()) {
        m_parts.topBar->connectButton()->setChecked(true);
        throw SilentAbort();
    }
    m_parts.window->setWindowTitle(QString::fromLatin1(QuollMain::Caption));
    m_resetDatabaseViews();
    // Statements prepared on this connection go with it.
    m_parts.browserQueries.unprepareAll();
    m_parts.viewQuery.unprepare();
}

void ConnectionControl::afterDisconnect()
{
    m_log(text(Disconnected), location(m_parts.topBar->dataBaseName()->currentText()));
    setConnectedControls(false);
}

void ConnectionControl::switchDatabase()
{
    if (m_beforeLeaving) {
        try {
            m_beforeLeaving();
        } catch (...) {
            // The connection stays in its database; so does the picker.
            QComboBox *combo = m_parts.topBar->dataBaseName();
            combo->setCurrentIndex(combo->findText(m_savedDataBaseName));
            throw;
        }
    }
    if (!m_parts.transactions.finishOpenTransaction())
        return;
    m_parts.browserQueries.unprepareAll();
    m_resetDatabaseViews();
    const QString name = m_parts.topBar->dataBaseName()->currentText();
    if (name.isEmpty())
        return;
    try {
        connection::useDatabase(m_parts.viewQuery, name);
    } catch (const Error &) {
        // Refused: said in the log and the red status bar only, and the
        // connection is not in the picked database, so nothing claims it is.
        m_log(text(ConnectFailed), location(name));
        m_parts.statusBar->setAlarm(true);
        m_parts.statusBar->setPanelText(3, text(ConnectFailed) + u":  "_s + name);
        return;
    }
    m_log(text(Connected), location(name));
    m_savedDataBaseName = name;
    m_parts.browserQueries.prepareTableQueries();
}

} // namespace quoll::app
