#!/bin/sh
# Writes the expected files of the golden-file tests anew from what the
# program now makes, after a deliberate change to the dialect's rewriting,
# a printed list or an export; then runs the tests again to show that they
# agree. Read `git diff tests` before committing the result.
#   scripts/update-golden.sh [build-directory]
set -eu
build=${1:-build}
cmake --build "$build" --target tst_connection tst_catalog tst_export
export QT_QPA_PLATFORM=offscreen
for run in update check; do
    if [ "$run" = update ]; then export QUOLL_UPDATE_GOLDEN=1; else unset QUOLL_UPDATE_GOLDEN; fi
    QUOLL_TEST_CLASS=TstDialectGolden "$build/tests/connection/tst_connection" >/dev/null
    QUOLL_TEST_CLASS=TstListCommands "$build/tests/catalog/tst_catalog" >/dev/null
    "$build/tests/export/tst_export" >/dev/null
done
git status --short -- tests
