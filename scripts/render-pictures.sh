#!/usr/bin/env bash
# Renders the pictures of the README into docs/, each by its own program under Xvfb in an empty
# folder of its own; every program says what it wrote or why it could not.
#   scripts/render-pictures.sh            every picture
#   scripts/render-pictures.sh NAME...    some of: mainwindow workspace calibration biss
#                                         fileedit iap history report english
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A program=(
    [mainwindow]=quelbrin-screenshot [workspace]=quelbrin-workspaceshot
    [calibration]=quelbrin-calibrationshot [biss]=quelbrin-bissshot
    [fileedit]=quelbrin-fileeditshot [iap]=quelbrin-firmwareshot
    [history]=quelbrin-historyshot
)
# calibration writes its pictures into the folder it is given; the others one file.
declare -A output=(
    [mainwindow]=docs/mainwindow.png [workspace]=docs/workspace.png [calibration]=docs
    [biss]=docs/biss.png [fileedit]=docs/fileedit.png [iap]=docs/iap.png
    [history]=docs/history.png
)
names=("$@")
[ ${#names[@]} -gt 0 ] || names=(mainwindow workspace calibration biss fileedit iap history report english)
targets=()
for name in "${names[@]}"; do
    case $name in
        report) targets+=(quelbrin-cli quelbrin-sim) ;;
        english) ;;  # its script builds what it needs
        *)
            [ -n "${program[$name]:-}" ] || { echo "unknown picture '$name'" >&2; exit 2; }
            targets+=("${program[$name]}") ;;
    esac
done

scripts/install-deps.sh
dir=$(scripts/build.sh "${targets[@]}" | tail -n 1)
failed=()
for name in "${names[@]}"; do
    echo "== $name"
    case $name in
        # The PDF report's first page and a chart page, through the command line.
        report)
            if docs/reportshot.sh "$dir"; then
                echo "wrote $PWD/docs/report-page1.png, $PWD/docs/report-charts.png"
            else
                failed+=("$name")
            fi ;;
        english) scripts/screenshots-en.sh || failed+=("$name") ;;
        *)
            work=$(mktemp -d)
            if ! (cd "$work" && xvfb-run -a -s "-screen 0 1440x900x24" \
                    "$OLDPWD/$dir/bin/${program[$name]}" "$OLDPWD/${output[$name]}"); then
                failed+=("$name")
            fi
            rm -rf "$work" ;;
    esac
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "not rendered: ${failed[*]}" >&2
    exit 1
fi
