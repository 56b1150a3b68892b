#!/usr/bin/env bash
# Installs what is missing, builds Tavrello twice (plain, and with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs the whole suite headless: unit, widget and end-to-end tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTAVRELLO_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
echo "== Sanitizer build: whole suite"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
echo "== Release build: whole suite"
ctest --test-dir build --output-on-failure -j"$jobs"
