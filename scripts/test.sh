#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds Tavrello twice (with AddressSanitizer,
# LeakSanitizer and UndefinedBehaviorSanitizer, then plain) and runs the whole suite headless on
# both: unit, widget and end-to-end tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)

echo "== Formatting (.clang-format)"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTAVRELLO_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
echo "== Sanitizer build: whole suite, leaks included"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
echo "== Release build: whole suite"
ctest --test-dir build --output-on-failure -j"$jobs"
