#!/usr/bin/env bash
# Builds and runs every test: the optimised build, then the AddressSanitizer + UBSan build, which
# also runs each fuzz target briefly, then the threaded parts under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

cmake --preset default
cmake --build --preset default
ctest --preset default

cmake --preset asan
cmake --build --preset asan
ctest --preset asan

cmake --preset tsan
cmake --build --preset tsan
ctest --preset tsan
