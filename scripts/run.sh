#!/usr/bin/env bash
# Sets everything up and starts the program on the demo database (created with
# demo companies on first use); extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec build/bin/malvo --demo "$@"
