#!/usr/bin/env bash
# Bounded fuzzing: builds the harnesses of fuzz/ with clang, libFuzzer and
# the address and undefined-behaviour sanitizers, replays the corpora, then
# fuzzes each harness for SITERESP_FUZZ_SECONDS (default 20; the record
# readers of sitekit for SITEKIT_RECORDS_FUZZ_SECONDS, default 20).  Inputs that
# fail are left in build-fuzz/fuzz/work-<harness>/artifacts/; copy them into
# fuzz/corpus/<harness>/ as regressions once the fault is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${SITERESP_FUZZ_SECONDS:-20}

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSITERESP_FUZZ=ON -DSITERESP_BENCH=OFF -DSITERESP_FUZZ_SECONDS="$seconds" \
  -DSITEKIT_RECORDS_FUZZ_SECONDS="${SITEKIT_RECORDS_FUZZ_SECONDS:-20}"
cmake --build build-fuzz -j2 --target fuzz_freeform fuzz_decimal fuzz_wave fuzz_soil fuzz_run \
  fuzz_records_knet fuzz_records_at2 fuzz_records_smc fuzz_records_cosmos fuzz_records_csmip fuzz_records_esm \
  fuzz_records_wave fuzz_records_soil fuzz_periods fuzz_amplitude_table fuzz_manifest
ctest --test-dir build-fuzz -L fuzz-replay --output-on-failure
ctest --test-dir build-fuzz -L '^fuzz$' --output-on-failure
