#!/usr/bin/env bash
# Runs siteresp on the bundled example in a scratch directory, answering its
# questions from answers.txt, and says where the result files are.
# Usage: bash examples/run-example.sh [path/to/siteresp] [scratch-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=$(realpath "${1:-$here/../build/siteresp}")
out=${2:-$here/../build/example-run}
mkdir -p "$out"
cp "$here/wave.csv" "$here/soil.csv" "$here/answers.txt" "$out/"
[ -f "$here/wave.m" ] && cp "$here/wave.m" "$out/"
cd "$out"
"$exe" < answers.txt
echo "Result files: $(pwd)/Amp-Factors.csv, $(pwd)/amp1.csv, $(pwd)/wave1.csv"
