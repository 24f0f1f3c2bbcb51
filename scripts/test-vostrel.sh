#!/usr/bin/env bash
# Builds Vostrel with its tests (installing what is missing first) and runs the
# whole suite. BUILD_DIR and extra CMake arguments may be given for other builds,
# as CI does for the sanitizer run.
source "$(dirname "$0")/common.sh"

build_dir="${1:-$VOSTREL_ROOT/build}"
[ $# -gt 0 ] && shift

vostrel_install_missing
vostrel_build "$build_dir" "$@"
cd "$build_dir"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
