#!/usr/bin/env bash
# Times `sitekit report` (best of 5) and gives the page sizes for: the
# bundled example's run folder; a record of 32,768 samples (the example
# eight times over); a batch of 100 records (the example's run folder
# copied, as `sitekit run` would leave 100 runs of one record).
# Usage: bash bench/report-timing.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build}")
sitekit=$build/sitekit
work=$(mktemp -d "${TMPDIR:-/tmp}/sitekit-report-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

node "$root/tests/report/make_runs.mjs" "$sitekit" "$root/examples" "$work/b" example
awk -F, 'NR == 1 { head = $0; next } { rows[n++] = $0 }
         END { print head; for (k = 0; k < 8; k++) for (i = 0; i < n; i++) {
                 split(rows[i], f, ","); printf "%.2f,%s,%s,%s\n", (k * n + i) * 0.01, f[2], f[3], f[4] } }' \
  "$root/examples/wave.csv" >"$work/long.csv"
"$sitekit" run --soil "$root/examples/soil.csv" --band 0.1,0.2,20,25 --out "$work/l" "$work/long.csv" >/dev/null

mkdir "$work/batch100"
head -1 "$work/b/runs.csv" >"$work/batch100/runs.csv"
for i in $(seq -w 1 100); do
  cp -r "$work/b/example" "$work/batch100/rec$i"
  tail -n +2 "$work/b/runs.csv" | sed "s/example/rec$i/g" >>"$work/batch100/runs.csv"
done

best() {  # DIR PAGE: best wall time of 5 in seconds
  local t b=999
  for _ in 1 2 3 4 5; do
    t=$( { TIMEFORMAT=%R; time "$sitekit" report "$1" -o "$2" >/dev/null; } 2>&1 )
    b=$(awk -v a="$t" -v b="$b" 'BEGIN { print (a < b) ? a : b }')
  done
  echo "$b"
}
printf '%-32s %8s %12s\n' case seconds bytes
for c in "example:$work/b/example" "32768 samples:$work/l/long" "batch of 100:$work/batch100"; do
  name=${c%%:*} dir=${c#*:}
  s=$(best "$dir" "$work/page.html")
  printf '%-32s %8s %12s\n' "$name" "$s" "$(stat -c %s "$work/page.html")"
done
