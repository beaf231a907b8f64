#!/usr/bin/env bash
# Opens reports in headless Chromium (check_page.mjs) and checks their
# embedded numbers against the files they came from (check_numbers.mjs).
#   example: the bundled example's run folder
#   batch:   a batch of three records (the example on three sites)
#   hostile: folders with a missing file, empty files, NaN values and names
#            and headings that carry markup and script
# Usage: browser.sh MODE SITEKIT SOURCE_DIR
set -euo pipefail
mode=$1
sitekit=$(realpath "$2")
src=$(realpath "$3")
here=$src/tests/report

command -v chromium >/dev/null 2>&1 || { echo "SKIP: chromium not installed (Debian: chromium; .ci/run installs it)"; exit 77; }
command -v node >/dev/null 2>&1 || { echo "SKIP: node not installed (Debian: nodejs; .ci/run installs it)"; exit 77; }

work=$(mktemp -d "${TMPDIR:-/tmp}/sitekit-report.XXXXXX")
trap 'rm -rf "$work"' EXIT

report() {  # DIR PAGE
  "$sitekit" report "$1" -o "$2" >"$work/report.out" || { cat "$work/report.out"; echo "FAIL: sitekit report $1"; exit 1; }
}

case $mode in
example)
  node "$here/make_runs.mjs" "$sitekit" "$src/examples" "$work/b" example
  report "$work/b/example" "$work/run.html"
  node "$here/check_page.mjs" "$work/run.html" --min-charts 9 --title "sitekit report: example" \
    --text "first peak frequency (Hz)" --text "half-space (shaded) from 62 m"
  node "$here/check_numbers.mjs" "$work/run.html" "$work/b"
  ;;
batch)
  node "$here/make_runs.mjs" "$sitekit" "$src/examples" "$work/b" example soft:0.7:1.5 stiff:1.4:0.8
  report "$work/b" "$work/batch.html"
  node "$here/check_page.mjs" "$work/batch.html" --min-charts 30 --title "sitekit report: b" \
    --text "Suite" --text "soft" --text "stiff"
  node "$here/check_numbers.mjs" "$work/batch.html" "$work/b"
  ;;
hostile)
  bad='<img src=x onerror="window.__pwned=1">'"'q"
  node "$here/make_runs.mjs" "$sitekit" "$src/examples" "$work/b" "$bad" gone empty nan
  # Script in a heading and in run-info values; markup in a soil title.
  sed -i '1s|.*|time,H1</script><script>window.__pwned=1</script>,"H2 ""q""",V1|' "$work/b/$bad/input.csv"
  sed -i 's|^soil,.*|soil,</script><script>window.__pwned=2</script>|' "$work/b/$bad/run-info.csv"
  sed -i '1s|.*|<b onmouseover=window.__pwned=3>site</b>|' "$work/b/$bad/soil.csv"
  rm "$work/b/gone/Amp-Factors.csv" "$work/b/gone/soil.csv"
  head -1 "$work/b/empty/RespSpec.csv" >"$work/b/empty/x" && mv "$work/b/empty/x" "$work/b/empty/RespSpec.csv"
  : >"$work/b/empty/amp1.csv"
  sed -i '100,140s/^\([^,]*\),[^,]*,/\1,NaN,/; 200s/,[^,]*$/,********/' "$work/b/nan/wave1.csv"
  sed -i '5s/,[^,]*,/,nan,/' "$work/b/nan/RespSpec.csv"
  report "$work/b" "$work/hostile.html"
  node "$here/check_page.mjs" "$work/hostile.html" --min-charts 20 --title "sitekit report: b" \
    --text "$bad"
  # The folder with the markup in its name alone, as a run.
  report "$work/b/$bad" "$work/one.html"
  node "$here/check_page.mjs" "$work/one.html" --min-charts 8 --title "sitekit report: $bad" \
    --text "Record $bad" --text "H1</script><script>window.__pwned=1</script>"
  for d in gone empty nan; do report "$work/b/$d" "$work/$d.html"; done
  node "$here/check_page.mjs" "$work/gone.html" --min-charts 6 \
    --text "Amp-Factors.csv is missing: no amplification factors" --text "soil.csv is missing: no profile"
  node "$here/check_page.mjs" "$work/empty.html" --min-charts 6 \
    --text "RespSpec.csv holds no data: no response spectra" \
    --text "amp1.csv holds no data: no Fourier amplitude of the surface motion"
  node "$here/check_page.mjs" "$work/nan.html" --min-charts 9 \
    --text "wave1.csv, column H1: 41 values are not a number, shown as gaps" \
    --text "wave1.csv, column V1: 1 value is not a number, shown as gaps" \
    --text "RespSpec.csv, column input_PSA_H1_5: 1 value is not a number, shown as gaps"
  node "$here/check_numbers.mjs" "$work/hostile.html" "$work/b"
  ;;
*) echo "unknown mode $mode"; exit 2 ;;
esac
