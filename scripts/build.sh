#!/usr/bin/env bash
# Configures and builds into build/ (or build-asan/ with --sanitize); prints the build folder.
#   scripts/build.sh [--sanitize] [TARGET...]   no target: everything
set -euo pipefail
cd "$(dirname "$0")/.."

# Paths relative to the checkout let every clone and worktree share one compiler cache.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
export CCACHE_NOHASHDIR=1

dir=build
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-asan
    flags=(-DCMAKE_BUILD_TYPE=Debug -DQUELBRIN_SANITIZE=ON)
    shift
fi
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)" "${targets[@]}" >&2
echo "$dir"
