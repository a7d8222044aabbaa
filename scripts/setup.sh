#!/usr/bin/env bash
# Sets up a Debian 12 machine for Quoll: installs the packages the build, the
# program and the tests need, then configures and builds.
#
#   scripts/setup.sh            install and build
#   scripts/setup.sh --run      ... then start Quoll
#   scripts/setup.sh --test     ... then run the whole test suite
#   scripts/setup.sh --sanitize build into build-asan with AddressSanitizer and
#                               LeakSanitizer and run the test suite there
#   scripts/setup.sh --fuzz [S] build with clang into build-fuzz with
#                               AddressSanitizer, LeakSanitizer and UBSan, run
#                               the test suite there, then each fuzz target of
#                               fuzz/ for S seconds (default 30) from its
#                               corpus; a finding is kept in build-fuzz/findings
#
# Safe to run again: packages already present are left alone, the build is
# incremental. BUILD_DIR overrides the build folder (default: build).
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
mode=build
case "${1:-}" in
  "") ;;
  --run) mode=run ;;
  --test) mode=test ;;
  --sanitize) mode=sanitize ;;
  --fuzz) mode=fuzz; fuzz_seconds=${2:-30} ;;
  -h|--help) sed -n '2,18p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
  *) echo "unknown option: $1 (try --help)" >&2; exit 2 ;;
esac

packages=(
  # build
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libsqlite3-dev sqlite3
  unixodbc unixodbc-dev odbcinst libsqliteodbc
  libxlsxwriter-dev
  # running: the Qt platform plugins and the fonts the layout names
  qt6-qpa-plugins libqt6svg6 fonts-liberation2 fonts-dejavu-core
  # looking at the window without a display
  xvfb xauth
  # reading back the workbooks the tests write
  python3 python3-openpyxl
)
if [ "$mode" = fuzz ]; then
  # clang with libFuzzer and the sanitizers' runtimes; the symbolizer names
  # the lines of a finding.
  packages+=(clang libclang-rt-dev llvm)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  if [ "$(id -u)" -eq 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
  elif command -v sudo >/dev/null 2>&1; then
    sudo apt-get update
    sudo DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
  else
    echo "These packages are missing; install them as root and run this script again:" >&2
    echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
fi

build_dir=${BUILD_DIR:-$here/build}
cmake_args=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "$mode" = sanitize ]; then
  build_dir=${BUILD_DIR:-$here/build-asan}
  cmake_args=(-G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUOLL_SANITIZE=ON)
fi
if [ "$mode" = fuzz ]; then
  build_dir=${BUILD_DIR:-$here/build-fuzz}
  cmake_args=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
              -DQUOLL_SANITIZE=ON -DQUOLL_FUZZ=ON)
fi

cmake -S "$here" -B "$build_dir" "${cmake_args[@]}"
cmake --build "$build_dir" --parallel "$(nproc)"

case "$mode" in
  run)
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
      echo "No display: starting Quoll under Xvfb." >&2
      exec xvfb-run -a -s "-screen 0 1280x800x24" "$build_dir/bin/quoll"
    fi
    exec "$build_dir/bin/quoll"
    ;;
  test|sanitize)
    cd "$build_dir"
    exec ctest --output-on-failure --timeout 600 -j "$(nproc)"
    ;;
  fuzz)
    ( cd "$build_dir" && ctest --output-on-failure --timeout 900 -j "$(nproc)" )
    exec "$here/scripts/run-fuzzers.sh" "$build_dir" "$fuzz_seconds"
    ;;
esac
