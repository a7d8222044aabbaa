#include "connection/odbc/driverlocator.h"

#include "connection/odbc/odbcdiagnostics.h"

#include <QDir>
#include <QFileInfo>

#include <sql.h>
#include <sqlext.h>

using namespace Qt::Literals::StringLiterals;

namespace quoll::connection::odbc {

QStringList registeredDrivers()
{
    QStringList names;
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        return names;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLWCHAR description[512];
    SQLWCHAR attributes[2048];
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    for (;;) {
        SQLSMALLINT descriptionLength = 0;
        SQLSMALLINT attributesLength = 0;
        const SQLRETURN rc = SQLDriversW(env, direction, description, SQLSMALLINT(std::size(description)),
                                         &descriptionLength, attributes, SQLSMALLINT(std::size(attributes)),
                                         &attributesLength);
        if (!SQL_SUCCEEDED(rc))
            break;
        names.append(fromWide(description, std::min<int>(descriptionLength, int(std::size(description)) - 1)));
        direction = SQL_FETCH_NEXT;
    }
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return names;
}

QString informixDriver(const QStringList &registered, const QString &informixDir)
{
    for (const QString &name : registered) {
        if (name.contains(u"informix"_s, Qt::CaseInsensitive))
            return name;
    }
    if (informixDir.isEmpty())
        return {};
    // The thread-safe library first: the one a program with threads needs.
    const QDir cli(informixDir + u"/lib/cli"_s);
    for (const char *library : {"iclit09b.so", "libthcli.so", "iclis09b.so", "libifcli.so"}) {
        const QFileInfo file(cli.filePath(QString::fromLatin1(library)));
        if (file.isFile())
            return file.absoluteFilePath();
    }
    return {};
}

QString findInformixDriver()
{
    return informixDriver(registeredDrivers(), qEnvironmentVariable("INFORMIXDIR"));
}

QString missingDriverMessage()
{
    return u"No Informix ODBC driver is installed. Install the Informix Client SDK, then register its ODBC "
           u"driver in odbcinst.ini (Driver=$INFORMIXDIR/lib/cli/iclit09b.so) or set INFORMIXDIR to the "
           u"folder the SDK is installed in."_s;
}

} // namespace quoll::connection::odbc
