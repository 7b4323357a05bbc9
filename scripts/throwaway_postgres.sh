#!/usr/bin/env bash
# Starts a throw-away PostgreSQL server for the archive tests and prints the connection for
# GOHALL_TEST_POSTGRES; `throwaway_postgres.sh stop DIR` stops it and removes its files. Prints
# nothing and fails when no server can be started (the tests then say they skip it).
set -euo pipefail

if [ "${1:-}" = stop ]; then
  dir="$2"
  bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
  as_owner=()
  if [ "$(id -u)" -eq 0 ]; then as_owner=(runuser -u postgres --); fi
  "${as_owner[@]}" "$bin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$dir"
  exit 0
fi

bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
[ -x "$bin/initdb" ] || exit 1
dir=$(mktemp -d /tmp/gohall-postgres.XXXXXX)
as_owner=()
# The server refuses to run as root.
if [ "$(id -u)" -eq 0 ]; then
  chown postgres "$dir"
  as_owner=(runuser -u postgres --)
fi
port=$((20000 + RANDOM % 20000))
"${as_owner[@]}" "$bin/initdb" -D "$dir/data" -A trust -U gohall >/dev/null 2>&1 || exit 1
"${as_owner[@]}" "$bin/pg_ctl" -D "$dir/data" -l "$dir/log" -w \
  -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off" start >/dev/null 2>&1 || exit 1
echo "$dir postgresql://gohall@127.0.0.1:$port/postgres"
