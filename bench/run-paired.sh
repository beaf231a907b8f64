#!/usr/bin/env bash
# Paired wall times of two builds of the program on one case: the runs
# alternate (A, B, A, B ...) so that both see the same machine load.  Prints
# the median and fastest of each, their ratio, the peak memory of each and
# whether their result files and transcripts are identical.
# Usage: bash bench/run-paired.sh BUILD_A BUILD_B CASE [runs] [wrapper...]
#   CASE: largest, short, ... or ROWSxLAYERS (see make_case); wrapper, such
#   as "taskset -c 0", runs before each program.
set -euo pipefail
a=$(realpath "$1") b=$(realpath "$2") case=$3 runs=${4:-21}
shift $(($# < 4 ? $# : 4))
work=$(mktemp -d "${TMPDIR:-/tmp}/siteresp-paired-XXXXXX")
trap 'rm -rf "$work"' EXIT
"$b/bench/make_case" "$case" "$work"
mkdir "$work/a" "$work/b"
for side in a b; do cp "$work"/{wave.csv,soil.csv,answers.txt} "$work/$side/"; done

run() {  # build dir, work dir: prints microseconds
  cd "$2"
  local start end
  start=$(date +%s%N)
  "${wrapper[@]}" "$1/siteresp" <answers.txt >transcript.txt
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}
wrapper=("$@")
[ ${#wrapper[@]} -eq 0 ] && wrapper=(env)
ta=() tb=()
for ((i = 0; i < runs; i++)); do
  ta+=($(run "$a" "$work/a"))
  tb+=($(run "$b" "$work/b"))
done
stats() { printf '%s\n' "$@" | sort -n | awk '{v[NR] = $1} END {printf "%d %d", v[int((NR + 1) / 2)], v[1]}'; }
read -r ma fa <<<"$(stats "${ta[@]}")"
read -r mb fb <<<"$(stats "${tb[@]}")"
peak() { cd "$2" && /usr/bin/time -f %M "$1/siteresp" <answers.txt 2>&1 >/dev/null | tail -1; }
printf 'case %s, %d runs each, wrapper: %s\n' "$case" "$runs" "${wrapper[*]}"
printf 'A %s: median %.2f ms  fastest %.2f ms  peak %s kB\n' "$a" "$(echo "$ma/1000" | bc -l)" "$(echo "$fa/1000" | bc -l)" "$(peak "$a" "$work/a")"
printf 'B %s: median %.2f ms  fastest %.2f ms  peak %s kB\n' "$b" "$(echo "$mb/1000" | bc -l)" "$(echo "$fb/1000" | bc -l)" "$(peak "$b" "$work/b")"
printf 'B/A median ratio: %.3f\n' "$(echo "$mb/$ma" | bc -l)"
for f in Amp-Factors.csv amp1.csv wave1.csv transcript.txt; do
  cmp -s "$work/a/$f" "$work/b/$f" || { echo "DIFFERENT: $f"; exit 1; }
done
echo "outputs identical"
