#!/usr/bin/env bash
# Sets up what is missing, then builds and runs every test twice: a normal build, whose Debian
# package is then made and checked, and a build with AddressSanitizer and
# UndefinedBehaviorSanitizer that also runs each fuzz target on its seed corpus for a few
# seconds. Both builds treat compiler warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
summaries=$(mktemp)
trap 'rm -f "$summaries"' EXIT
run_tests() {
  ctest --test-dir "$1" --output-on-failure --no-tests=error -j "$jobs" | tee -a "$summaries"
}

echo "== normal build"
scripts/build.sh build -DTUNEDEX_WERROR=ON -DBUILD_TESTING=ON -DTUNEDEX_BENCH=ON \
  -DTUNEDEX_SANITIZE=OFF -DTUNEDEX_FUZZ=OFF
run_tests build

echo "== Debian package of the normal build"
scripts/check-package.sh build

echo "== sanitizer build with fuzz targets"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
scripts/build.sh build-sanitize -DCMAKE_CXX_COMPILER=clang++ -DTUNEDEX_WERROR=ON -DBUILD_TESTING=ON \
  -DTUNEDEX_SANITIZE=ON -DTUNEDEX_FUZZ=ON -DTUNEDEX_BENCH=OFF
run_tests build-sanitize

# Both runs in one closing line.
awk '/tests passed, [0-9]+ tests failed out of/ { failed += $4; total += $NF }
     END { printf "all: %d passed, %d failed\n", total - failed, failed }' "$summaries"
