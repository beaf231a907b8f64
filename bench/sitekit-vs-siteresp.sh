#!/usr/bin/env bash
# Paired timing of one `sitekit run` against `siteresp` with its answers
# piped in, on the same input: the bundled example (4,096 rows, 7 layers) or
# the largest case (32,768 rows, 50 layers; bench/make_case writes it).  The
# two alternate, RUNS pairs, so a neighbour's load falls on both alike; the
# script prints the median of each and the median of the per-pair ratio,
# and checks that both wrote the same result files.
# Usage: bash bench/sitekit-vs-siteresp.sh [example|largest] [build-dir] [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
case_name=${1:-example}
build=$(realpath -m "${2:-$here/../build}")
runs=${3:-21}

cmake --build "$build" -j2 --target siteresp sitekit make_case >/dev/null
work=$(mktemp -d "${TMPDIR:-/tmp}/sitekit-pair-XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
if [ "$case_name" = largest ]; then
  "$build/bench/make_case" largest "$work"
  wave=$(sed -n 1p answers.txt); soil=$(sed -n 2p answers.txt)
  shaping=$(sed -n 3p answers.txt); band=$(sed -n 5p answers.txt)
else
  cp "$here/../examples/wave.csv" "$here/../examples/soil.csv" "$here/../examples/answers.txt" .
  wave=wave.csv; soil=soil.csv; shaping=0; band=0.1,0.2,20.0,25.0
fi
opts=()
[ "$shaping" = 1 ] && opts+=(--integrate)
[ "$shaping" = 2 ] && opts+=(--differentiate)
opts+=(--band "$band")
printf '%s\n%s\n%s\n1\n%s\n' "$wave" "$soil" "$shaping" "$band" > piped.txt

now() { date +%s%N; }
a=(); b=()
for ((i = 0; i < runs; i++)); do
  t0=$(now); "$build/siteresp" < piped.txt > console.txt; t1=$(now)
  "$build/sitekit" run --soil "$soil" "${opts[@]}" --out out "$wave" > /dev/null; t2=$(now)
  a+=($(((t1 - t0) / 1000))); b+=($(((t2 - t1) / 1000)))
done
for f in Amp-Factors.csv amp1.csv wave1.csv; do cmp -s "$f" "out/${wave%.*}/$f" || echo "DIFFERENT: $f"; done
median() { printf '%s\n' "$@" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
ratios=(); for ((i = 0; i < runs; i++)); do ratios+=($((b[i] * 1000 / a[i]))); done
ma=$(median "${a[@]}"); mb=$(median "${b[@]}"); mr=$(median "${ratios[@]}")
printf '%s, %d pairs: siteresp piped %d.%03d ms, sitekit run %d.%03d ms (median), sitekit/siteresp per pair %d.%03d (median); load %s\n' \
  "$case_name" "$runs" $((ma / 1000)) $((ma % 1000)) $((mb / 1000)) $((mb % 1000)) $((mr / 1000)) $((mr % 1000)) \
  "$(cut -d' ' -f1-3 /proc/loadavg)"
