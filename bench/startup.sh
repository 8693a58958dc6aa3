#!/usr/bin/env bash
# Start-up time from launch to the first drawn sheet, against a minimal Qt Widgets window, both
# under the same X server in the same run. Usage: bench/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?build directory}
runs=${2:-20}
work=$(mktemp -d)
cleanup() { [[ -n "${xvfb:-}" ]] && kill "$xvfb" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
if [[ -z "${DISPLAY:-}" ]]; then
  export DISPLAY=:97
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
fi
# A design to load, so the first drawing is a real one.
cp "$build/bench/startup_tavro" "$work/"
"$build/src/app/tavro-nozzle-cli" calc Rkr=10 Qa=10 k=1.24 Pk=5 H=0 Rc=30 Qc=45 \
  --save "$work/design.dat" >/dev/null
printf '"%s"\r\n' "$work/design.dat" >"$work/last.srd"

measure() {
  local start end total=0
  "$@" >/dev/null 2>&1  # warm the caches
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    total=$((total + end - start))
  done
  echo $((total / runs / 1000000))
}
minimal=$(measure "$build/bench/startup_minimal")
tavro=$(measure "$work/startup_tavro")
echo "minimal Qt Widgets window: ${minimal} ms"
echo "tavro-nozzle to first drawn sheet: ${tavro} ms"
