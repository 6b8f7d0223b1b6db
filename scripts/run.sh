#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quelbrin with simulated equipment.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
dir=$(scripts/build.sh | tail -n 1)
if [ -x "$dir/bin/quelbrin" ]; then
    exec "$dir/bin/quelbrin" --simulate "$@"
fi
exec "$dir/bin/quelbrin-cli" --help
