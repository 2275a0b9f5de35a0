#!/usr/bin/env bash
# Installs what the project needs and builds it into build/ (or $MALVO_BUILD_DIR).
# Extra arguments go to CMake, e.g. -DMALVO_SANITIZE=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=${MALVO_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
