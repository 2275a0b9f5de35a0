#!/usr/bin/env bash
# Starts (or stops) a throw-away PostgreSQL server for the tests: created
# fresh in a temporary directory, listening on loopback only.
#   eval "$(scripts/pg-test-server.sh start)"   # exports MALVO_TEST_PG
#   scripts/pg-test-server.sh stop "$MALVO_TEST_PG_DIR"
set -euo pipefail

pg_bin() {
  local dir
  dir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
  [ -n "$dir" ] || { echo "PostgreSQL server binaries not found" >&2; exit 1; }
  echo "$dir"
}

case "${1:-}" in
  start)
    bin=$(pg_bin)
    dir=$(mktemp -d /tmp/malvo-pg.XXXXXX)
    port=${MALVO_TEST_PG_PORT:-$((20000 + RANDOM % 20000))}
    # initdb refuses to run as root; the server runs as the nobody-like owner of the directory.
    runas=()
    if [ "$(id -u)" -eq 0 ]; then
      id -u postgres >/dev/null 2>&1 || useradd --system --no-create-home postgres
      chown postgres "$dir"
      runas=(runuser -u postgres --)
    fi
    "${runas[@]}" "$bin/initdb" -D "$dir/data" -U malvo --auth=trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1
    "${runas[@]}" "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
      -o "-c listen_addresses=127.0.0.1 -p $port -k $dir -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
      start >/dev/null
    echo "export MALVO_TEST_PG='host=127.0.0.1 port=$port dbname=postgres user=malvo'"
    echo "export MALVO_TEST_PG_DIR='$dir'"
    ;;
  stop)
    dir=${2:?directory}
    bin=$(pg_bin)
    runas=()
    [ "$(id -u)" -eq 0 ] && runas=(runuser -u postgres --)
    "${runas[@]}" "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1 || true
    rm -rf "$dir"
    ;;
  *)
    echo "usage: $0 start | stop DIR" >&2
    exit 2
    ;;
esac
