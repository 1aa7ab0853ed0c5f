#!/usr/bin/env bash
# Builds into build/ and runs the assistant in run/ against the simulated
# instrument. Without a display it runs on a virtual screen, saves a
# screenshot of the main window to run/screenshot.png and stops.
# NORVO_BAUD and NORVO_LATENCY_MS set the simulated line (default 115200 baud, 5 ms).
# Arguments go to the simulator, e.g. ./run.sh --boot-loader NV-100A
set -euo pipefail
cd "$(dirname "$0")"
. tools/setup.sh
build_project

ROOT="$PWD"
RUN_DIR="$ROOT/run"
ASSISTANT="$ROOT/build/app/norvo-assistant"
SIMULATOR="$ROOT/build/tools/sim/norvo-sim"
PACKER="$ROOT/build/tools/pack/norvo-pack"
HTTP_SERVER="$ROOT/tools/http/norvo-http.py"
BAUD_RATE="${NORVO_BAUD:-115200}"
LATENCY_MS="${NORVO_LATENCY_MS:-5}"
SCREEN="1024x768x24"
WINDOW_WAIT_TENTHS=150 # 15 s for the main window to appear

SIM_PID=""
HTTP_PID=""
APP_PID=""
XVFB_PID=""

stop_process() {
    local pid="$1"
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
}

# Prints what the command prints once it prints something, polling every 0.1 s
# for at most the given tenths of a second while the process is alive.
poll_output() {
    local tenths="$1" pid="$2"
    shift 2
    local output=""
    for _ in $(seq "$tenths"); do
        output="$("$@" 2>/dev/null || true)"
        [ -n "$output" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    printf '%s' "$output"
}

cleanup() {
    stop_process "$APP_PID"
    stop_process "$SIM_PID"
    stop_process "$HTTP_PID"
    stop_process "$XVFB_PID"
}
trap cleanup EXIT

mkdir -p "$RUN_DIR"
cp build/run-files/*.qm "$RUN_DIR/"

# Demo firmware packages where the update dialog looks first: one for the
# simulated boot-loader's model (the simulator's 设备型号), one for another model.
# The local download server offers the same packages in run/www.
mkdir -p "$RUN_DIR/Files" "$RUN_DIR/www"
seq -f "Norvo demo firmware image, line %05g" 1 1200 >"$RUN_DIR/demo-image.bin"
for model in NV-100A NV-200; do
    "$PACKER" --image "$RUN_DIR/demo-image.bin" --device "NV-100 流量计" --model "$model" \
        --version V2.1.0 "$RUN_DIR/www/$model-V2.1.0.nvbin"
    cp "$RUN_DIR/www/$model-V2.1.0.nvbin" "$RUN_DIR/Files/"
done

# The download server prints its port as its first line; stop it with
# kill "$(cat run/http.pid)" to see a download fail half-way.
python3 "$HTTP_SERVER" --root "$RUN_DIR/www" --slow-entries >"$RUN_DIR/http.out" 2>"$RUN_DIR/http.log" &
HTTP_PID=$!
echo "$HTTP_PID" >"$RUN_DIR/http.pid"
HTTP_PORT="$(poll_output 100 "$HTTP_PID" head -n 1 "$RUN_DIR/http.out")"
if [ -z "$HTTP_PORT" ]; then
    echo "The download server did not start; see $RUN_DIR/http.log" >&2
    exit 1
fi
echo "Download page on http://127.0.0.1:$HTTP_PORT/down.html"

# The simulator prints its pseudo-terminal path as its first line.
"$SIMULATOR" --baud "$BAUD_RATE" --latency "$LATENCY_MS" "$@" >"$RUN_DIR/simulator.out" 2>"$RUN_DIR/simulator.log" &
SIM_PID=$!
PORT="$(poll_output 50 "$SIM_PID" head -n 1 "$RUN_DIR/simulator.out")"
if [ -z "$PORT" ]; then
    echo "The simulator did not start; see $RUN_DIR/simulator.log" >&2
    exit 1
fi
echo "Simulated instrument on $PORT"

# config.ini: the [serial] section names the simulator, [download] the local
# download server; window and language settings of earlier runs are kept.
CONFIG="$RUN_DIR/config.ini"
{
    printf '[serial]\nport=%s\nbaudrate=%s\n\n' "$PORT" "$BAUD_RATE"
    printf '[download]\nbaseurl=http://127.0.0.1:%s\n\n' "$HTTP_PORT"
    if [ -f "$CONFIG" ]; then
        awk '/^\[/ { skip = ($0 == "[serial]" || $0 == "[download]") } !skip' "$CONFIG"
    fi
} >"$CONFIG.new"
mv "$CONFIG.new" "$CONFIG"

if [ -n "${DISPLAY:-}" ]; then
    (cd "$RUN_DIR" && "$ASSISTANT")
    exit 0
fi

# No display: a virtual screen on the first free display number.
DISPLAY_NUMBER=99
while [ -e "/tmp/.X11-unix/X$DISPLAY_NUMBER" ] || [ -e "/tmp/.X$DISPLAY_NUMBER-lock" ]; do
    DISPLAY_NUMBER=$((DISPLAY_NUMBER + 1))
done
Xvfb ":$DISPLAY_NUMBER" -screen 0 "$SCREEN" -nolisten tcp >"$RUN_DIR/xvfb.log" 2>&1 &
XVFB_PID=$!
export DISPLAY=":$DISPLAY_NUMBER"
for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$DISPLAY_NUMBER" ] && break
    sleep 0.1
done

(cd "$RUN_DIR" && exec "$ASSISTANT") >"$RUN_DIR/assistant.log" 2>&1 &
APP_PID=$!

main_window_id() {
    xwininfo -root -tree | awk '/Norvo/ && / [0-9]+x[0-9]+\+/ { print $1; exit }'
}
WINDOW_ID="$(poll_output "$WINDOW_WAIT_TENTHS" "$APP_PID" main_window_id)"
if [ -z "$WINDOW_ID" ]; then
    echo "The main window did not appear; see $RUN_DIR/assistant.log" >&2
    exit 1
fi
sleep 1 # let the window finish painting
import -window "$WINDOW_ID" "$RUN_DIR/screenshot.png"
echo "Screenshot of the main window saved to $RUN_DIR/screenshot.png"
exit 0
