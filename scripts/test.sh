#!/usr/bin/env bash
# The test command: installs what is missing, builds, and runs every test, first in the release build,
# then under AddressSanitizer and UndefinedBehaviorSanitizer (with brief runs of the fuzzers).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
scripts/build.sh release
ctest --test-dir build --output-on-failure -j "$jobs"

scripts/build.sh sanitize
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
echo "All tests passed."
