#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace quoll::testing {

// Test classes register themselves with QUOLL_TEST; one executable per
// subsystem then runs every class it was linked with.
using TestFactory = std::function<std::unique_ptr<QObject>()>;

bool registerTest(const char *name, TestFactory factory);

// Runs every registered test class with QTest::qExec (an application object
// must exist); returns the number of failed test functions.
int runRegisteredTests(int argc, char **argv);

} // namespace quoll::testing

#define QUOLL_TEST(Class)                                                                          \
    static const bool registered##Class = quoll::testing::registerTest(                            \
        #Class, [] { return std::unique_ptr<QObject>(new Class); })
