#!/usr/bin/env bash
# wave.m beside the files `sitekit run` adds to a run folder: RespSpec.csv
# (input and surface spectra, their ratio below) and Amp-Factors-KO.csv
# (smoothed factors) become two more PNG files with their curves; and on a
# machine where Octave finds no font, wave.m stops before drawing with a
# message that names the missing package, and writes no PNG.
set -euo pipefail
source "$(dirname "$0")/common.sh" "$1" "$2"
command -v node >/dev/null 2>&1 || { echo "SKIP: node not installed (it writes this test's run folder)"; exit 77; }
sitekit=$(dirname "$exe")/sitekit
[ -x "$sitekit" ] || { echo "SKIP: no sitekit beside $exe"; exit 77; }

node "$src/tests/report/make_runs.mjs" "$sitekit" "$src/examples" "$work/b" example >/dev/null
cd "$work/b/example"
# Smoothed factors as sitekit's plain CSV (every 8th row of the raw ones)
# where the run did not write them.
[ -f Amp-Factors-KO.csv ] || awk -F, 'NR == 1 { print "frequency_Hz,Samp1,Samp2,Pamp1,Pamp2,SH_over_PSV"; next }
         (NR - 2) % 8 == 0 && $1 > 0 { printf "%g,%g,%g,%g,%g,%g\n", $1, $2, $3, $4, $5, $2 / $4 }' \
  Amp-Factors.csv >Amp-Factors-KO.csv
cp "$src/examples/wave.m" .
octave_run "wave;
  check_png('RespSpec.png', 600, 800, {'c1', 'c2', 'c3'}, 2);
  check_png('Amp-Factors-KO.png', 600, 800, {'c1', 'c2', 'c3', 'c4'}, 1);
  check_png('wave1.png', 600, 800, {'blue'}, 3);" >octave.txt 2>&1 \
  || { cat octave.txt; echo "FAIL: RespSpec.csv or Amp-Factors-KO.csv not drawn"; exit 1; }

# No font: an empty fontconfig configuration hides every font.
mkdir ../nofont && cp ./*.csv wave.m ../nofont/ && cd ../nofont
printf '<?xml version="1.0"?>\n<fontconfig></fontconfig>\n' >fonts.conf
if FONTCONFIG_FILE=$PWD/fonts.conf octave_run "wave" >octave.txt 2>&1; then
  cat octave.txt; echo "FAIL: wave.m went on without a font"; exit 1
fi
grep -q 'wave.m: Octave cannot draw text here: no font is installed (Debian: fonts-freefont-otf)' octave.txt \
  || { cat octave.txt; echo "FAIL: no clear message about the missing font"; exit 1; }
! ls ./*.png >/dev/null 2>&1 || { ls; echo "FAIL: PNG written without a font"; exit 1; }
echo "PASS: RespSpec.png, Amp-Factors-KO.png; a clear stop without a font"
