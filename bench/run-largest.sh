#!/usr/bin/env bash
# The whole program on its largest input: 32,768 rows at 0.005 s, a 50-layer
# damped profile at 30 degrees, input in the bedrock, integration and the
# band-pass filter.  Builds the Release program, writes the input into a
# temporary directory, runs the program RUNS times with the answers piped in
# and prints the median wall time, the peak memory (/usr/bin/time -v) and
# checks the result files and the console transcript against the golden
# case tests/golden/cases/largest.
# Usage: bash bench/run-largest.sh [build-dir] [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath -m "${1:-$here/../build-bench}")
runs=${2:-11}

cmake -S "$here/.." -B "$build" -DCMAKE_BUILD_TYPE=Release -DSITERESP_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target siteresp make_case >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/siteresp-largest-XXXXXX")
trap 'rm -rf "$work"' EXIT
"$build/bench/make_case" largest "$work"
cd "$work"

times=()
for ((i = 0; i < runs; i++)); do
  start=$(date +%s%N)
  "$build/siteresp" <answers.txt >transcript.txt
  end=$(date +%s%N)
  times+=($(((end - start) / 1000)))
done
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}')
fastest=$(printf '%s\n' "${times[@]}" | sort -n | head -1)

/usr/bin/time -v "$build/siteresp" <answers.txt >/dev/null 2>time.txt
peak=$(awk -F': ' '/Maximum resident set size/ {print $2}' time.txt)

printf 'runs: %d  median wall: %d.%03d ms  fastest: %d.%03d ms  peak RSS: %d kB\n' \
  "$runs" $((median / 1000)) $((median % 1000)) $((fastest / 1000)) $((fastest % 1000)) "$peak"
sha256sum --check "$here/../tests/golden/cases/largest/expected.sha256"
