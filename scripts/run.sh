#!/usr/bin/env bash
# Installs what is missing to build and run MEMVAULT, builds its programs into
# build/ (not the tests) and starts it.
# With a radio on /dev/ttyUSB* or /dev/ttyACM* the program starts as it is
# (arguments are passed on). Without one, the FT-450 simulator is started on a
# pseudo-terminal holding tests/data/sample.450 and the program is pointed at
# it; the simulator is stopped when the program ends.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"

bash scripts/install-deps.sh run

GENERATOR=()
if [ ! -f build/CMakeCache.txt ] && command -v ninja >/dev/null 2>&1; then
  GENERATOR=(-G Ninja)
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${GENERATOR[@]}"
cmake --build build -j"$(nproc)" --target memvault memvault-cli ft450sim

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display found (DISPLAY / WAYLAND_DISPLAY unset); the window needs a desktop session" >&2
fi

shopt -s nullglob
radios=(/dev/ttyUSB* /dev/ttyACM*)
shopt -u nullglob
if [ "${#radios[@]}" -gt 0 ]; then
  echo "run.sh: serial device found (${radios[*]}): starting MEMVAULT for the radio"
  exec build/bin/memvault "$@"
fi

if [ ! -x build/bin/ft450sim ]; then
  echo "run.sh: no radio attached and build/bin/ft450sim was not built" >&2
  exit 1
fi

RUNDIR="$(mktemp -d "${TMPDIR:-/tmp}/memvault-run.XXXXXX")"
SIM_PID=""
APP_PID=""
stop() {
  if [ -n "$1" ] && kill -0 "$1" 2>/dev/null; then
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
  fi
}
cleanup() {
  stop "$APP_PID"
  stop "$SIM_PID"
  rm -rf "$RUNDIR"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

LINK="$RUNDIR/memvault-sim"
build/bin/ft450sim --load tests/data/sample.450 --link "$LINK" >"$RUNDIR/ft450sim.out" 2>"$RUNDIR/ft450sim.err" &
SIM_PID=$!
for _ in $(seq 1 50); do
  [ -e "$LINK" ] && break
  if ! kill -0 "$SIM_PID" 2>/dev/null; then
    echo "run.sh: the simulator stopped:" >&2
    cat "$RUNDIR/ft450sim.err" >&2
    exit 1
  fi
  sleep 0.1
done
if [ ! -e "$LINK" ]; then
  echo "run.sh: the simulator did not come up" >&2
  exit 1
fi
echo "run.sh: no radio attached: FT-450 simulator on $LINK (memories from tests/data/sample.450)"
# In the background so that a signal to this script ends the program too.
build/bin/memvault --device "$LINK" "$@" &
APP_PID=$!
status=0
wait "$APP_PID" || status=$?
APP_PID=""
exit "$status"
