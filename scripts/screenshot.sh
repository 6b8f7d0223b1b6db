#!/usr/bin/env bash
# Renders docs/mainwindow.png: the main window with the serial dialog open, under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
dir=$(scripts/build.sh | tail -n 1)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out="$PWD/docs/mainwindow.png"
(cd "$work" && xvfb-run -a -s "-screen 0 1440x900x24" "$OLDPWD/$dir/bin/quelbrin-screenshot" "$out")
echo "$out"
