#!/usr/bin/env bash
# Sets everything up and starts the program on the embedded default database.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec build/bin/malvo "$@"
