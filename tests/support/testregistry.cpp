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
    // QUOLL_TEST_CLASS=Name runs only that class, for working on one.
    const QByteArray only = qgetenv("QUOLL_TEST_CLASS");
    for (const auto &[name, factory] : registry()) {
        if (!only.isEmpty() && only != name)
            continue;
        // A failure that escapes a test function is that class's failure,
        // not the end of the whole executable.
        try {
            std::unique_ptr<QObject> test = factory();
            failures += QTest::qExec(test.get(), argc, argv);
        } catch (...) {
            qWarning("%s: a test ended with an uncaught exception", name);
            ++failures;
        }
    }
    return failures;
}

} // namespace quoll::testing
