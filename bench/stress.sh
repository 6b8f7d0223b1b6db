#!/usr/bin/env bash
# Device jobs under load, from the command line against the simulated equipment, with both
# cores kept busy the whole time. Prints one figure per part:
#   1. rig jobs (calibrate, test, zero in turn) against one simulated rig;
#   2. YMODEM transfers into lrzsz's rb (through socat) at 1024 and 128, file compared;
#   3. four commands at once in one folder (rig, encoder, two BiSS masters polling with
#      --repeat), each checked to have talked to its own device only.
# Usage: bench/stress.sh [BUILD_DIR] [RIG_JOBS] [TRANSFERS] [ROUNDS]
set -u
build=$(cd "${1:-build}" && pwd)
rig_jobs=${2:-200}
transfers=${3:-10}
rounds=${4:-10}
bin=$build/bin
cli=$bin/quelbrin-cli
sim=$bin/quelbrin-sim
work=$(mktemp -d)
cd "$work" || exit 1
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# Both cores busy for as long as the benchmark runs.
for _ in 1 2; do
    (while :; do :; done) &
    pids+=($!)
done

# Starts a simulated device and prints the port it serves.
start_sim() {
    local out
    out=$(mktemp -p "$work")
    "$sim" "$@" >"$out" 2>/dev/null &
    pids+=($!)
    for _ in $(seq 100); do
        if [ -s "$out" ]; then head -n 1 "$out"; return; fi
        sleep 0.05
    done
    echo "quelbrin-sim $* did not start" >&2
    exit 1
}

printf '[Language]\nLanguageType=zh\n' >lang.ini

# 1. Rig jobs.
mkdir -p rig/config && cp lang.ini rig/config/config.ini
rig_port=$(start_sim --device rig --pace fast)
(cd rig && "$cli" rig params --port "$rig_port" --points 64 --line 2048 --speed 1400 \
    --test-speeds 1000,1000,1000,1000 >/dev/null)
failed=0
start=$(date +%s.%N)
kinds=(calibrate test zero)
for i in $(seq 0 $((rig_jobs - 1))); do
    job=${kinds[$((i % 3))]}
    if ! (cd rig && timeout 60 "$cli" rig "$job" --port "$rig_port" >"../rig-$i.log" 2>&1); then
        failed=$((failed + 1))
        echo "rig $job #$i failed:" >&2
        tail -n 5 "rig-$i.log" >&2
    fi
done
end=$(date +%s.%N)
printf 'rig jobs under load: %d runs, %d failures, %.2f s per job\n' "$rig_jobs" "$failed" \
    "$(echo "($end - $start) / $rig_jobs" | bc -l)"

# 2. YMODEM into lrzsz's rb.
if command -v rb >/dev/null && command -v socat >/dev/null; then
    for block in 1024 128; do
        ok=0
        for i in $(seq "$transfers"); do
            dir=ymodem-$block-$i
            mkdir -p "$dir/config" "$dir/received" && cp lang.ini "$dir/config/config.ini"
            head -c 24576 /dev/urandom >"$dir/image.bin"
            printf 'rb -q\necho $? > rb.status\n' >"$dir/received/run-rb.sh"
            (cd "$dir/received" && exec socat "PTY,link=$work/$dir/port,raw,echo=0" \
                "EXEC:sh run-rb.sh") &
            relay=$!
            for _ in $(seq 100); do [ -e "$dir/port" ] && break; sleep 0.05; done
            if (cd "$dir" && timeout 120 "$cli" ymodem --port "$work/$dir/port" --block "$block" \
                --no-start image.bin >ymodem.log 2>&1); then
                for _ in $(seq 100); do [ -s "$dir/received/rb.status" ] && break; sleep 0.05; done
                if cmp -s "$dir/image.bin" "$dir/received/image.bin"; then
                    ok=$((ok + 1))
                else
                    echo "ymodem $block #$i: exit 0 but the received file differs" >&2
                fi
            else
                echo "ymodem $block #$i failed:" >&2
                tail -n 3 "$dir/ymodem.log" >&2
            fi
            kill "$relay" 2>/dev/null
            wait "$relay" 2>/dev/null
        done
        echo "ymodem into rb at $block under load: $ok of $transfers exit 0 with the file byte-exact"
    done
else
    echo "ymodem into rb: skipped (needs lrzsz and socat)"
fi

# 3. Four commands at once in one folder.
mkdir -p four/config && cp lang.ini four/config/config.ini
rig4=$(start_sim --device rig --pace fast)
enc4=$(start_sim --device encoder --status BOOT)
biss_a=$(start_sim --device biss --voltage 2.5)
biss_b=$(start_sim --device biss --voltage 3.24)
head -c 3000 /dev/urandom >four/image.bin
good=0
for r in $(seq "$rounds"); do
    (cd four && "$cli" rig calibrate --port "$rig4" --points 64 --line 2048 --speed 1400 \
        --test-speeds 1000,1000,1000,1000 >rig.log 2>&1; echo $? >rig.code) &
    (cd four && "$cli" ymodem --port "$enc4" image.bin >enc.log 2>&1; echo $? >enc.code) &
    (cd four && "$cli" biss --port "$biss_a" --json --repeat 10 --interval 20 master-status \
        slave-status slave-data >a.log 2>&1; echo $? >a.code) &
    (cd four && "$cli" biss --port "$biss_b" --json --repeat 3 master-status slave-status \
        slave-data >b.log 2>&1; echo $? >b.code) &
    wait -n; wait -n; wait -n; wait -n
    codes="$(cat four/rig.code four/enc.code four/a.code four/b.code | tr '\n' ' ')"
    # Every slave status of each poll carries its own master's supply voltage only.
    a_own=$(grep -o '"voltage":2\.4' four/a.log | wc -l)
    a_other=$(grep -o '"voltage":3\.2' four/a.log | wc -l)
    b_own=$(grep -o '"voltage":3\.2' four/b.log | wc -l)
    b_other=$(grep -o '"voltage":2\.4' four/b.log | wc -l)
    if [ "$codes" = "0 0 0 0 " ] && [ "$a_own" -ge 10 ] && [ "$a_other" -eq 0 ] &&
        [ "$b_own" -ge 3 ] && [ "$b_other" -eq 0 ]; then
        good=$((good + 1))
    else
        echo "round $r: exit codes $codes; poll A $a_own own / $a_other other; poll B $b_own own / $b_other other" >&2
    fi
done
echo "four commands at once in one folder: $good of $rounds rounds, every request to its own device"
