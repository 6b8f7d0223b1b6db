#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quelbrin with simulated equipment.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
# The program, its command line and the simulator: the tests and benchmarks are built by
# scripts/test.sh.
dir=$(scripts/build.sh quelbrin quelbrin-cli quelbrin-sim | tail -n 1)
# Qt wants a private runtime folder; a root shell often has none.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR="/tmp/runtime-$(id -u)"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi
exec "$dir/bin/quelbrin" --simulate "$@"
