#!/usr/bin/env bash
# Builds a fuzz target with clang (AddressSanitizer, UndefinedBehaviorSanitizer) and
# runs it, seeded with the test fixtures of its kind.
# Usage: scripts/fuzz.sh universe|import [seconds]
source "$(dirname "$0")/common.sh"

target="${1:-}"
seconds="${2:-600}"
case "$target" in
  universe) seeds=("$VOSTREL_ROOT"/tests/data/*.json) ;;
  import) seeds=("$VOSTREL_ROOT"/tests/data/import-*) ;;
  *) echo "Usage: $0 universe|import [seconds]" >&2; exit 2 ;;
esac

vostrel_install_missing clang libclang-rt-14-dev
build_dir="$VOSTREL_ROOT/build-fuzz"
# Only the fuzz target and the libraries it needs, not the program and its widgets.
VOSTREL_TARGETS="vostrel_fuzz_$target" vostrel_build "$build_dir" -DCMAKE_CXX_COMPILER=clang++ -DVOSTREL_FUZZ=ON \
  -DVOSTREL_BUILD_TESTS=OFF -DVOSTREL_BUILD_BENCHMARKS=OFF

corpus="$VOSTREL_ROOT/fuzz-corpus/$target"
mkdir -p "$corpus"
cp -n "${seeds[@]}" "$corpus"/ 2>/dev/null || true
ASAN_OPTIONS=detect_leaks=1 "$build_dir/fuzz/vostrel_fuzz_$target" \
  -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 "$corpus"
