#!/bin/bash
# The monitor dialog and a plain serial terminal on the same paced flood, in one run:
#
#   bench/monitor/compare.sh TOOLS [SECONDS]
#
# TOOLS is the folder with flood.py and peer_flood.sh (the peer's driver); SECONDS the
# flood length per cell (20). Both programs draw on one private virtual screen
# (Xvfb, display $DNUM, default 97) and get the same text at 115200 and 921600 baud,
# shown as text and as hexadecimal. BENCH names the bench_monitor binary
# (default build/bench/monitor/bench_monitor), OUT the peer's result folder.
set -u
TOOLS=$(cd "${1:?usage: compare.sh TOOLS [SECONDS]}" && pwd)
DURATION=${2:-20}
HERE=$(cd "$(dirname "$0")" && pwd)
BENCH=${BENCH:-$HERE/../../build/bench/monitor/bench_monitor}
DNUM=${DNUM:-97}
OUT=${OUT:-/tmp/flood/compare}
rm -rf "$OUT"
mkdir -p "$OUT"

Xvfb ":$DNUM" -screen 0 1280x900x24 -nolisten tcp >"$OUT/xvfb.log" 2>&1 &
XVFB_PID=$!
trap 'kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null' EXIT
for _ in $(seq 50); do DISPLAY=":$DNUM" xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

echo "== this program (bench_monitor, $DURATION s per cell)"
DISPLAY=":$DNUM" "$BENCH" --seconds "$DURATION" --baud 115200,921600 --view raw,hex \
    --flood-py "$TOOLS/flood.py" 2>/dev/null
echo
echo "== peer (peer_flood.sh, $DURATION s per cell; text = raw)"
DNUM=$DNUM XPID=$XVFB_PID OUT=$OUT "$TOOLS/peer_flood.sh" "11520 92160" "text hex" 1 "$DURATION" \
    | sed -n '/^baud/,$p'
