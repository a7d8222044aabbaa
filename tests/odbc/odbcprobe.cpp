// A connect to an Informix server entry in a process of its own, so that
// the driver manager reads the driver list the caller's environment names:
// it prints the Informix driver it found (an empty line for none) and then
// "connected" or the connect's error. The password is the first argument.

#include "connection/engine/engineerror.h"
#include "connection/odbc/driverlocator.h"
#include "connection/odbc/odbcengine.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace quoll::connection;
using namespace quoll::connection::odbc;

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    out << findInformixDriver() << '\n';
    OdbcEngine engine(OdbcServer{QStringLiteral("ol_probe"), QStringLiteral("localhost"), QStringLiteral("9088"),
                                 QStringLiteral("onsoctcp")});
    ParameterList parameters;
    parameters.setValue(QStringLiteral("SERVER NAME"), QStringLiteral("ol_probe"));
    parameters.setValue(QStringLiteral("DATABASE NAME"), QStringLiteral("sysmaster"));
    parameters.setValue(QStringLiteral("USER NAME"), QStringLiteral("informix"));
    parameters.setValue(QStringLiteral("PASSWORD"), argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    try {
        engine.connect(parameters);
        out << "connected\n";
        return 0;
    } catch (const EngineError &e) {
        out << e.message() << '\n';
        return 1;
    }
}
