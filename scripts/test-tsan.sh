#!/usr/bin/env bash
# Builds the two test executables of the multi-row delete worker and the
# import/export with ThreadSanitizer into build-tsan/ (or $MALVO_TSAN_BUILD_DIR)
# and runs those cases on SQLite and PostgreSQL, with a throw-away PostgreSQL
# server. The import stays on the window's thread; its cases show that the
# progress window's event processing races with nothing. The first report
# fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${MALVO_TSAN_BUILD_DIR:-build-tsan}
bash scripts/install-deps.sh
cmake -S . -B "$build" -G Ninja -DMALVO_TSAN=ON -DMALVO_BUILD_BENCH=OFF "$@" >/dev/null
cmake --build "$build" -j "$(nproc)" --target partners_ramka_tests partners_company_tests

eval "$(bash scripts/pg-test-server.sh start)"
trap 'bash scripts/pg-test-server.sh stop "$MALVO_TEST_PG_DIR"' EXIT

suites=(UsuwanieTest UsuwanieHakiRamkiTest ImportEksportTest CzytanieWTle ImportEksportFirm ImportEksportPliki)
filter="^(ramka|company)\.(Engines/)?($(IFS='|'; echo "${suites[*]}"))\."

export QT_QPA_PLATFORM=offscreen
# Qt, libc and the database clients are not instrumented: their own memory
# accesses are unseen, so the allocations and copies they make through the
# sanitizer's interceptors read as races inside them. Those are ignored; their
# locks still order ours.
export TSAN_OPTIONS=halt_on_error=1:ignore_noninstrumented_modules=1:second_deadlock_stack=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 900 --no-tests=error -R "$filter"
