#!/usr/bin/env bash
# Builds the project and runs every test (SQLite and PostgreSQL) through ctest,
# with a throw-away PostgreSQL server on loopback and no display needed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh "$@"
build=${MALVO_BUILD_DIR:-build}

eval "$(bash scripts/pg-test-server.sh start)"
trap 'bash scripts/pg-test-server.sh stop "$MALVO_TEST_PG_DIR"' EXIT

export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 900
