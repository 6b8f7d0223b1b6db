#!/usr/bin/env bash
# Builds the Debian package and checks it as CI does: lintian with no errors, the desktop entry
# and AppStream validators, then the package unpacked into a scratch root (dpkg -x) runs
# quelbrin-cli --version, quelbrin-cli rig --help and a job against its own simulated rig.
set -euo pipefail
cd "$(dirname "$0")/.."

deb=$(scripts/package.sh | tail -n 1)
echo "== $deb"
lintian --fail-on error "$deb"

root=$(mktemp -d)
sim_pid=
cleanup() {
    if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; fi
    rm -rf "$root"
}
trap cleanup EXIT
dpkg -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml

bin="$root/usr/bin"
"$bin/quelbrin-cli" --version
"$bin/quelbrin-cli" rig --help | head -n 1
QT_QPA_PLATFORM=offscreen "$bin/quelbrin" --help | head -n 1

# A first run as a user would make it: an empty folder, no data folder yet. The installed
# program must create the data folder with the default configuration and work there.
mkdir -p "$root/home/work"
export XDG_DATA_HOME="$root/home/data"
coproc SIM { exec "$bin/quelbrin-sim" --device rig; }
sim_pid=$SIM_PID
read -r -t 10 port <&"${SIM[0]}"
echo "== simulated rig on $port"
(cd "$root/home/work" &&
    "$bin/quelbrin-cli" rig zero --port "$port" --speed 100 --test-speeds 100,200,300,400)
# A user outside the port's group is told which group to join. Root passes every permission
# check, so the command runs as nobody against the port given to the group dialout.
if [ "$(id -u)" -eq 0 ] && getent group dialout >/dev/null; then
    chgrp dialout "$port"
    chmod 660 "$port"
    chmod 755 "$root" "$root/home"
    mkdir -m 777 "$root/home/nobody"
    hint=$(cd "$root/home/nobody" && runuser -u nobody -- env HOME="$root/home/nobody" \
        XDG_DATA_HOME="$root/home/nobody" "$bin/quelbrin-cli" connect --port "$port" \
        --baud 115200 --type CALIBRATION 2>&1 || true)
    if ! grep -q 'sudo adduser \$USER dialout' <<<"$hint"; then
        echo "no dialout hint after a denied port:" >&2
        echo "$hint" >&2
        exit 1
    fi
    grep 'sudo adduser' <<<"$hint"
fi
kill "$sim_pid"
wait "$sim_pid" || true
sim_pid=
test -f "$XDG_DATA_HOME/quelbrin/config/config.ini"
test ! -e "$root/home/work/config"
if grep -q '@FIRMWARE_DIR@' "$XDG_DATA_HOME/quelbrin/config/config.ini"; then
    echo "the data folder's configuration still holds @FIRMWARE_DIR@" >&2
    exit 1
fi
echo "== package checked: $deb"
