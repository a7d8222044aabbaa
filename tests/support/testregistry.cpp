#include "testregistry.h"

#include <QList>
#include <QTest>

#include <utility>

namespace quoll::testing {

namespace {

QList<std::pair<const char *, TestFactory>> &registry()
{
    static QList<std::pair<const char *, TestFactory>> tests;
    return tests;
}

} // namespace

bool registerTest(const char *name, TestFactory factory)
{
    registry().append({name, std::move(factory)});
    return true;
}

int runRegisteredTests(int argc, char **argv)
{
    int failures = 0;
    for (const auto &[name, factory] : registry()) {
        std::unique_ptr<QObject> test = factory();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures;
}

} // namespace quoll::testing
