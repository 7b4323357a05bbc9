#!/usr/bin/env bash
# Builds and runs every test: the optimised build, then the AddressSanitizer + UBSan build, which
# also runs each fuzz target briefly, then the threaded parts under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

# A throw-away PostgreSQL server for the archive tests; without one they say that they skip.
if postgres=$(scripts/throwaway_postgres.sh); then
  export GOHALL_TEST_POSTGRES="${postgres#* }"
  trap 'scripts/throwaway_postgres.sh stop "${postgres%% *}"' EXIT
else
  echo "no PostgreSQL server could be started: the archive's PostgreSQL tests are skipped"
fi

cmake --preset default
cmake --build --preset default
ctest --preset default

cmake --preset asan
cmake --build --preset asan
ctest --preset asan

cmake --preset tsan
cmake --build --preset tsan
ctest --preset tsan
