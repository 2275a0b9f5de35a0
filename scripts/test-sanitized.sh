#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ (or $MALVO_ASAN_BUILD_DIR) and runs every test, SQLite and
# PostgreSQL, under them with a throw-away PostgreSQL server.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${MALVO_ASAN_BUILD_DIR:-build-asan}
MALVO_BUILD_DIR=$build bash scripts/build.sh -DMALVO_SANITIZE=ON -DMALVO_BUILD_BENCH=OFF "$@"

eval "$(bash scripts/pg-test-server.sh start)"
trap 'bash scripts/pg-test-server.sh stop "$MALVO_TEST_PG_DIR"' EXIT

export QT_QPA_PLATFORM=offscreen
# Qt's own libraries are not instrumented and keep caches until exit: leaks are
# not what this pass looks for.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 900
