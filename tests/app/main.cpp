#include "testregistry.h"

#include "app/quollapplication.h"

#include <QStandardPaths>

// The application tests run under the program's own application object, so
// that its last-resort error handling is tested too.
int main(int argc, char *argv[])
{
    quoll::app::QuollApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    return quoll::testing::runRegisteredTests(argc, argv);
}
