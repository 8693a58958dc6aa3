#!/usr/bin/env bash
# Start-up time from launch to the first drawn sheet, against a minimal Qt Widgets window, both
# under the same X server in the same run. The two are started in turn, so that the load of a
# shared machine weighs on both alike; the medians and their ratio are printed.
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

# Microseconds from launch to exit.
elapsed() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

minimal=$work/minimal.us tavro=$work/tavro.us
"$build/bench/startup_minimal" >/dev/null 2>&1  # warm the caches
"$work/startup_tavro" >/dev/null 2>&1
for ((i = 0; i < runs; i++)); do
  elapsed "$build/bench/startup_minimal" >>"$minimal"
  elapsed "$work/startup_tavro" >>"$tavro"
done
m=$(median "$minimal") t=$(median "$tavro")
echo "minimal Qt Widgets window: $((m / 1000)) ms (median of $runs)"
echo "tavro-nozzle to first drawn sheet: $((t / 1000)) ms (median of $runs)"
awk -v t="$t" -v m="$m" 'BEGIN { printf "ratio: %.2f\n", t / m }'
