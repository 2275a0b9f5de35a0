#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang, AddressSanitizer and
# UBSan into build-fuzz/ (or $MALVO_FUZZ_BUILD_DIR) and runs each for SECONDS
# (default 30) on a copy of its seed corpus, so the committed corpus never
# grows. Exits non-zero naming every input that broke a target. CMake takes a
# compiler launcher (ccache) from CMAKE_CXX_COMPILER_LAUNCHER in the environment.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
build=${MALVO_FUZZ_BUILD_DIR:-build-fuzz}
targets=(csv xml filter phrase date)

cmake -S . -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang-16 -DCMAKE_CXX_COMPILER=clang++-16 \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMALVO_FUZZ=ON -DMALVO_BUILD_TESTS=OFF -DMALVO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/%/_fuzz}"

# The file readers take a path: files in memory make them several times faster.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
findings=$(cd "$build" && pwd)/fuzz/findings
mkdir -p "$findings"
export ASAN_OPTIONS=abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=()
for t in "${targets[@]}"; do
  cp -r "tests/fuzz/corpus/$t" "$work/$t"
  if "$build/fuzz/${t}_fuzz" -max_total_time="$seconds" -timeout=60 -print_final_stats=1 \
    -artifact_prefix="$findings/$t-" "$work/$t" >"$work/$t.log" 2>&1; then
    echo "$t: $(grep -o 'number_of_executed_units: *[0-9]*' "$work/$t.log" | grep -o '[0-9]*$') runs in ${seconds} s"
  else
    tail -n 30 "$work/$t.log"
    input=$(grep -o "Test unit written to .*" "$work/$t.log" | cut -d' ' -f5 || true)
    failed+=("${input:-$t (its log above)}")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  printf 'fuzz target failed on %s\n' "${failed[@]}" >&2
  exit 1
fi
