#!/usr/bin/env bash
# Renders the English pictures into docs/ (main window, a calibration result, the IAP page) with
# the picture programs, under Xvfb, each in an empty folder whose configuration chooses English
# and no translation service: every text comes from the built-in catalogue.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$(scripts/build.sh quelbrin-screenshot quelbrin-calibrationshot quelbrin-firmwareshot | tail -n 1)
docs="$PWD/docs"
bin="$PWD/$dir/bin"

english_folder() {
    local work
    work=$(mktemp -d)
    mkdir "$work/config"
    sed -e 's/^LanguageType=.*/LanguageType=en/' -e "s|@FIRMWARE_DIR@|$work/firmware|" \
        resources/config/config.ini > "$work/config/config.ini"
    printf '\n[BaiduTranslate]\nurl=http://127.0.0.1:1/\n' >> "$work/config/config.ini"
    echo "$work"
}

xvfb=(xvfb-run -a -s "-screen 0 1440x900x24")
work=$(english_folder)
(cd "$work" && "${xvfb[@]}" "$bin/quelbrin-screenshot" "$docs/mainwindow-en.png")
rm -rf "$work"
"${xvfb[@]}" "$bin/quelbrin-calibrationshot" "$docs" en
rm -f "$docs/calibration-bestline-en.png"
work=$(english_folder)
(cd "$work" && "${xvfb[@]}" "$bin/quelbrin-firmwareshot" "$docs/iap-en.png")
rm -rf "$work"
ls -l "$docs"/*-en.png
