#!/usr/bin/env bash
# Renders page 1 and the first chart page of a simulated calibration's report into docs/:
#   docs/reportshot.sh [BUILD_DIR]   (default: build; run from anywhere)
set -euo pipefail
docs="$(cd "$(dirname "$0")" && pwd)"
bin="$(cd "${1:-$docs/../build}" && pwd)/bin"
work="$(mktemp -d)"
trap 'kill "${SIM_PID:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
cd "$work"
mkdir config
printf '[Language]\nLanguageType=zh\n[ZEK_ENCODER]\nTargetInl=100\nResolution=17\n[CalibrationEntity]\npointNum=256\nencoderLine=2048\ncalibrationSpeed=1400\n[CalibrationEntityList]\n1\\testSpeed=200\n2\\testSpeed=1000\n3\\testSpeed=1400\n4\\testSpeed=400\nsize=4\n' >config/config.ini
coproc SIM { exec "$bin/quelbrin-sim" --device rig; }
read -r line <&"${SIM[0]}"
port=$(grep -o '/dev/pts/[0-9]*' <<<"$line")
"$bin/quelbrin-cli" rig calibrate --port "$port" --record record.json >/dev/null
# What a records database adds to the rig's record: the unit, the station, the id.
python3 - <<'PY'
import json
r = json.load(open("record.json"))
r.update(serial="QB24-0917-0042", recordId="2f6c1d0e-8a4b-4c1f-9e2d-5b7a3c9d0e11",
         station="line2-station7", program="Quelbrin", version="1.0.0.0",
         permission="ADMINISTRATOR", runTime="2026-12-07T09:30:15Z")
json.dump(r, open("record.json", "w"))
PY
"$bin/quelbrin-cli" report --from-json record.json --out report.pdf
pdftoppm -r 110 -png -f 1 -l 1 -singlefile report.pdf "$docs/report-page1"
pdftoppm -r 110 -png -f 2 -l 2 -singlefile report.pdf "$docs/report-charts"
