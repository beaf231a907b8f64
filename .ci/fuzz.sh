#!/usr/bin/env bash
# Bounded fuzzing: builds the harnesses of fuzz/ with clang, libFuzzer and
# the address and undefined-behaviour sanitizers, replays the corpora, then
# fuzzes each harness for SITERESP_FUZZ_SECONDS (default 60).  Inputs that
# fail are left in build-fuzz/fuzz/work-<harness>/artifacts/; copy them into
# fuzz/corpus/<harness>/ as regressions once the fault is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${SITERESP_FUZZ_SECONDS:-60}

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSITERESP_FUZZ=ON -DSITERESP_BENCH=OFF -DSITERESP_FUZZ_SECONDS="$seconds"
cmake --build build-fuzz -j2 --target fuzz_freeform fuzz_wave fuzz_soil fuzz_run
ctest --test-dir build-fuzz -L fuzz-replay --output-on-failure
ctest --test-dir build-fuzz -L '^fuzz$' --output-on-failure
