#!/usr/bin/env bash
# Installs what the plot tests (ctest -L plot) need when the machine lacks
# it: GNU Octave without its recommended extras, plus the two of those that
# drawing without a display needs - gnuplot (Octave's only graphics toolkit
# that works without X) and the FreeSans font that Octave measures text with.
# Takes about half a minute on a machine that has none of them.
set -euo pipefail
need=()
command -v octave-cli >/dev/null 2>&1 || need+=(octave)
command -v gnuplot >/dev/null 2>&1 || need+=(gnuplot-nox)
[ -f /usr/share/fonts/opentype/freefont/FreeSans.otf ] || need+=(fonts-freefont-otf)
if [ ${#need[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${need[@]}"
fi
