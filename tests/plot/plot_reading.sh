#!/usr/bin/env bash
# Feeds wave.m the awkward files the program really writes: labels quoted in
# the wave file with blanks, commas and a line end inside (so the headings
# hold more commas than columns and span two lines), spectrum rows whose
# frequency does not fit its field (asterisks: a record sampled at 0.2 ms
# reaches 1000 Hz), and a last row without a line end.  Then checks what
# wave.m read (check_reading.m) and that it still drew every figure; and
# that a directory holding only Amp-Factors.csv (a run stopped at the
# questions) gets that one figure and no error.
set -euo pipefail
source "$(dirname "$0")/common.sh" "$1" "$2"
cd "$work"

# 100 rows at 0.0002 s: 128 output samples, 65 frequency points 39.0625 Hz
# apart; points from 1015.625 Hz on print as asterisks.
{
  printf '"t, s",'"'"'H1 (gal)'"'"',"H,2,x","V\\\n1"\n'
  awk 'BEGIN { for (i = 0; i < 100; i++) printf "%.4f,%d,%d,%d\n", i * 0.0002, i % 7, i % 5 - 2, i % 3 }'
} >rec.csv
cp "$src/examples/soil.csv" soil.csv
printf 'rec.csv\nsoil.csv\n0\n0\n' | "$exe" >console.txt
grep -q '^\*\*\*\*\*\*\*\*,' amp1.csv || { echo "FAIL: no asterisk rows to read"; exit 1; }
# Drop the final line end of wave1.csv.
head -c -1 wave1.csv >w && mv w wave1.csv
[ "$(tail -c 1 wave1.csv | od -An -c | tr -d ' ')" != '\n' ] || { echo "FAIL: line end kept"; exit 1; }
cp "$src/examples/wave.m" .

octave_run "wave; check_reading(wave_data);
  check_png('wave1.png', 600, 800, {'blue'}, 3);
  check_png('Amp-Factors.png', 600, 800, {'c1', 'c2', 'c3', 'c4'}, 1);
  check_png('amp1.png', 600, 800, {'c1', 'c2', 'c3'}, 1);" \
  || { echo "FAIL: reading the awkward files"; exit 1; }

mkdir stopped && cp Amp-Factors.csv wave.m stopped/ && cd stopped
octave_run "wave" >octave.txt 2>&1 || { cat octave.txt; echo "FAIL: wave.m stopped"; exit 1; }
grep -q 'wave1.csv not found' octave.txt || { cat octave.txt; echo "FAIL: no warning"; exit 1; }
[ -s Amp-Factors.png ] && [ ! -e wave1.png ] && [ ! -e amp1.png ] \
  || { ls; echo "FAIL: expected Amp-Factors.png alone"; exit 1; }
echo "PASS: awkward headings, asterisk rows, no final line end, missing files"
