# Shared by the plot tests: skips when Octave cannot draw here, makes a
# scratch directory, and runs Octave without a display.
# Usage: source common.sh EXE SOURCE_DIR

exe=$(realpath "$1")
src=$(realpath "$2")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

if ! command -v octave-cli >/dev/null 2>&1; then
  echo "SKIP: octave-cli not installed (bash .ci/plot-deps.sh installs it)"
  exit 77
fi
if ! command -v gnuplot >/dev/null 2>&1; then
  echo "SKIP: gnuplot not installed; Octave needs it to draw without a display"
  exit 77
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/siteresp-plot.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Octave as a user without a display runs it: no DISPLAY, no start-up files.
# The test helpers (*.m beside this file) are on its path.
octave_run() {
  env -u DISPLAY -u WAYLAND_DISPLAY octave-cli --norc --quiet \
    --eval "addpath('$here'); $1"
}
