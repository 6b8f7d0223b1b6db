#!/usr/bin/env bash
# Builds the Debian package quelbrin_<version>_<arch>.deb with CPack and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
dir=$(scripts/build.sh quelbrin quelbrin-cli quelbrin-sim quelbrin-packaging-files | tail -n 1)
# Install only what the package holds: without this, CPack first builds every test.
cmake -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON "$dir" >/dev/null
rm -rf "$dir/package"
(cd "$dir" && cpack -G DEB -B "$PWD/package" >&2)
rm -rf "$dir/package/_CPack_Packages"
ls "$PWD/$dir"/package/quelbrin_*.deb
