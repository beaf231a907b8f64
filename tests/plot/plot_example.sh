#!/usr/bin/env bash
# Runs the bundled example, then wave.m beside its results, and checks the
# three PNG files: PNG signature, the size in the IHDR chunk, and (decoded
# by Octave) the curves in their colours where they belong.
set -euo pipefail
source "$(dirname "$0")/common.sh" "$1" "$2"

bash "$src/examples/run-example.sh" "$exe" "$work" >"$work/console.txt"
test -f "$work/wave.m" || { echo "FAIL: run-example.sh did not copy wave.m"; exit 1; }
cd "$work"
rm -f ./*.png
octave_run "wave" >octave.txt 2>&1 || { cat octave.txt; echo "FAIL: wave.m stopped"; exit 1; }

# Width and height from the IHDR chunk, which must directly follow the
# 8-byte signature.
png_header() {
  local sig ihdr
  sig=$(od -An -tx1 -N8 "$1" | tr -d ' \n')
  ihdr=$(od -An -tx1 -j12 -N4 "$1" | tr -d ' \n')
  [ "$sig" = 89504e470d0a1a0a ] || { echo "FAIL: $1 has no PNG signature ($sig)"; return 1; }
  [ "$ihdr" = 49484452 ] || { echo "FAIL: $1 does not start with IHDR ($ihdr)"; return 1; }
  local w h
  w=$(od -An -tu1 -j16 -N4 "$1" | awk '{print (($1*256+$2)*256+$3)*256+$4}')
  h=$(od -An -tu1 -j20 -N4 "$1" | awk '{print (($1*256+$2)*256+$3)*256+$4}')
  [ "$w $h" = "800 600" ] || { echo "FAIL: $1 is $w x $h, expected 800 x 600"; return 1; }
}

fail=0
for f in wave1.png Amp-Factors.png amp1.png; do
  if [ ! -s "$f" ]; then echo "FAIL: $f not written"; fail=1; continue; fi
  png_header "$f" || fail=1
done
[ $fail = 0 ] || exit 1

# wave1: the three channels in blue, one in each third of the height;
# Amp-Factors: four curves in the first four colours of the colour order;
# amp1: three curves in the first three.
octave_run "
  check_png('wave1.png', 600, 800, {'blue'}, 3);
  check_png('Amp-Factors.png', 600, 800, {'c1', 'c2', 'c3', 'c4'}, 1);
  check_png('amp1.png', 600, 800, {'c1', 'c2', 'c3'}, 1);
" || { echo "FAIL: a PNG did not pass the content check"; exit 1; }
echo "PASS: wave1.png, Amp-Factors.png, amp1.png"
