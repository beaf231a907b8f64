#!/usr/bin/env bash
# Runs the bundled example under Valgrind's memcheck: any invalid access,
# use of an undefined value or leak fails the check.  Exits 77 (skipped)
# when Valgrind is not installed.
# Usage: valgrind-example.sh path/to/siteresp examples-dir scratch-dir
set -euo pipefail
exe=$1 examples=$2 scratch=$3
if ! command -v valgrind >/dev/null 2>&1; then
  echo "valgrind not installed: check skipped"
  exit 77
fi
rm -rf "$scratch"
mkdir -p "$scratch"
cp "$examples/wave.csv" "$examples/soil.csv" "$scratch/"
cd "$scratch"
valgrind --tool=memcheck --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite,indirect \
  --track-origins=yes --quiet "$exe" < "$examples/answers.txt" > transcript.txt
test "$(wc -l < wave1.csv)" -eq 4097
echo "memcheck clean"
