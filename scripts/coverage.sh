#!/usr/bin/env bash
# Line coverage of the production code by the whole test suite: builds an
# instrumented tree in build-cov/ (or $MALVO_COVERAGE_BUILD_DIR), runs every
# test (with a throw-away PostgreSQL server) and prints gcovr's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${MALVO_COVERAGE_BUILD_DIR:-build-cov}
dpkg-query -W -f='${Status}' gcovr 2>/dev/null | grep -q "install ok installed" \
  || { SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"; $SUDO apt-get install -y -qq --no-install-recommends gcovr; }
MALVO_BUILD_DIR=$build bash scripts/build.sh -DMALVO_COVERAGE=ON -DMALVO_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
find "$build" -name '*.gcda' -delete

eval "$(bash scripts/pg-test-server.sh start)"
trap 'bash scripts/pg-test-server.sh stop "$MALVO_TEST_PG_DIR"' EXIT
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" -j "$(nproc)" --timeout 900 >"$build/coverage-ctest.log" || true
tail -n 3 "$build/coverage-ctest.log"

gcovr --root . --object-directory "$build" --gcov-ignore-parse-errors \
  --filter 'platform/' --filter 'suitedb/' --filter 'siblings/' --filter 'partners/' --filter 'host/' \
  --exclude-unreachable-branches --print-summary --txt "$build/coverage.txt" >/dev/null
grep -E '^TOTAL' "$build/coverage.txt"
