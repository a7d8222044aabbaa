#pragma once

#include <QString>
#include <QStringList>

namespace quoll::connection::odbc {

// The drivers the ODBC driver manager has registered (odbcinst.ini), by name.
QStringList registeredDrivers();

// The Informix ODBC driver to connect with: a registered driver whose name
// names Informix, else the driver library in `informixDir`/lib/cli; empty
// when there is none. A name is returned as it is, a library as its path.
QString informixDriver(const QStringList &registered, const QString &informixDir);

// informixDriver() over the registered drivers and $INFORMIXDIR.
QString findInformixDriver();

// What a connect says when no Informix ODBC driver is installed.
QString missingDriverMessage();

} // namespace quoll::connection::odbc
