#!/usr/bin/env bash
# Remakes the report screenshots shown in the guide: runs the bundled example
# (and, for the batch, the same record on two more sites), writes the
# reports with `sitekit report` and photographs them with headless Chromium.
# Usage: bash docs/make-screenshot.sh [BUILD_DIR]   (default: build)
# Writes docs/report-run.png and docs/report-batch.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build}")
work=$(mktemp -d "${TMPDIR:-/tmp}/sitekit-shot.XXXXXX")
trap 'rm -rf "$work"' EXIT

node "$root/tests/report/make_runs.mjs" "$build/sitekit" "$root/examples" "$work/batch" \
  example soft-site:0.7:1.5 stiff-site:1.4:0.8
"$build/sitekit" report "$work/batch/example" -o "$work/run.html" >/dev/null
"$build/sitekit" report "$work/batch" -o "$work/batch.html" >/dev/null

shot() {  # page, png, height
  chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$work/profile" --hide-scrollbars --window-size="1200,$3" \
    --virtual-time-budget=5000 --screenshot="$2" "file://$1" 2>/dev/null
}
shot "$work/run.html" "$root/docs/report-run.png" 2300
shot "$work/batch.html" "$root/docs/report-batch.png" 1500
echo "wrote docs/report-run.png and docs/report-batch.png"
