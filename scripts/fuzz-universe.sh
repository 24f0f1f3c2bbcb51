#!/usr/bin/env bash
# Builds the universe-file fuzzer with clang (AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs it, seeded with the test fixtures. Usage: scripts/fuzz-universe.sh [seconds]
source "$(dirname "$0")/common.sh"

seconds="${1:-600}"
vostrel_install_missing clang libclang-rt-14-dev
build_dir="$VOSTREL_ROOT/build-fuzz"
vostrel_build "$build_dir" -DCMAKE_CXX_COMPILER=clang++ -DVOSTREL_FUZZ=ON \
  -DVOSTREL_BUILD_TESTS=OFF -DVOSTREL_BUILD_BENCHMARKS=OFF

corpus="$VOSTREL_ROOT/fuzz-corpus"
mkdir -p "$corpus"
cp -n "$VOSTREL_ROOT"/tests/data/*.json "$corpus"/ 2>/dev/null || true
ASAN_OPTIONS=detect_leaks=1 "$build_dir/fuzz/vostrel_fuzz_universe" \
  -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 "$corpus"
