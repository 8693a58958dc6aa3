#!/usr/bin/env bash
# Start-up time from launch to the first frame on the screen (for the window program, the first
# with its drawn sheet), against two references under the same X server in the same run: the
# least Qt Widgets window (one label), and the window's own content put up plainly (its rows,
# fonts, menus and a blank sheet, no program behind them). Each program prints the wall-clock
# time of its first frame; the time to its exit (which adds the tear-down) is shown beside. The
# three are started in turn, so that the load of a shared machine weighs on all alike; the
# medians and their ratios are printed.
# Usage: bench/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?build directory}
runs=${2:-20}
work=$(mktemp -d)
cleanup() { [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
if [[ -z "${DISPLAY:-}" ]]; then
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
  xvfb=$!
  for ((i = 0; i < 100; i++)); do
    [[ -s "$work/display" ]] && break
    sleep 0.05
  done
  export DISPLAY=:$(head -n 1 "$work/display")
fi
# A design to load, so the first drawing is a real one.
cp "$build/bench/startup_tavro" "$work/"
"$build/src/app/tavro-nozzle-cli" calc Rkr=10 Qa=10 k=1.24 Pk=5 H=0 Rc=30 Qc=45 \
  --save "$work/design.dat" >/dev/null
printf '"%s"\r\n' "$work/design.dat" >"$work/last.srd"

# Microseconds from launch to the first frame and to exit, appended to FILE.frame and FILE.exit.
measure() {
  local file=$1 start end frame
  shift
  start=$(date +%s%N)
  frame=$("$@" 2>/dev/null | awk '$1 == "first-frame" { print $2 }')
  end=$(date +%s%N)
  if [[ -z "$frame" ]]; then
    echo "$1 reported no first frame" >&2
    exit 1
  fi
  echo $((frame - start / 1000)) >>"$file.frame"
  echo $(((end - start) / 1000)) >>"$file.exit"
}
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

minimal=$work/minimal plain=$work/plain tavro=$work/tavro
for program in "$build/bench/startup_minimal" "$build/bench/startup_plain" "$work/startup_tavro"; do
  "$program" >/dev/null 2>&1  # warm the caches
done
for ((i = 0; i < runs; i++)); do
  measure "$minimal" "$build/bench/startup_minimal"
  measure "$plain" "$build/bench/startup_plain"
  measure "$tavro" "$work/startup_tavro"
done
for what in frame exit; do
  m=$(median "$minimal.$what") p=$(median "$plain.$what") t=$(median "$tavro.$what")
  label=$([[ $what == frame ]] && echo "first frame" || echo "exit")
  awk -v m="$m" -v p="$p" -v t="$t" -v l="$label" -v n="$runs" 'BEGIN {
    printf "to %s (medians of %d): least Qt window %.1f ms; its content plainly %.1f ms (%.2f);\n", l, n, m / 1000, p / 1000, p / m
    printf "  tavro-nozzle %.1f ms: %.2f of the least window, %.2f of its content plainly\n", t / 1000, t / m, t / p }'
done
