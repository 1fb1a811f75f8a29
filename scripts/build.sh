#!/usr/bin/env bash
# Configures and builds one build folder: scripts/build.sh [release|sanitize]
#   release   build/        g++, optimised with debug information (the programs you run)
#   sanitize  build-asan/   clang++ with AddressSanitizer, UndefinedBehaviorSanitizer and the fuzzers
#                           (line tables only for debug information: the sanitizers' reports name file
#                           and line, and the build is faster; configure with -g to step through it)
set -euo pipefail
cd "$(dirname "$0")/.."

kind=${1:-release}
jobs=$(nproc)
case "$kind" in
  release)
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++ >/dev/null
    cmake --build build -j "$jobs"
    ;;
  sanitize)
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" -DSS_SANITIZE=ON -DSS_FUZZ=ON >/dev/null
    cmake --build build-asan -j "$jobs"
    ;;
  *)
    echo "usage: scripts/build.sh [release|sanitize]" >&2
    exit 2
    ;;
esac
