#include "testregistry.h"

#include <QApplication>
#include <QStandardPaths>

// The entry of every subsystem's test executable that needs no application
// object of its own.
int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    return quoll::testing::runRegisteredTests(argc, argv);
}
