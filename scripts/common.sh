# Shared by the two set-up commands: install what is missing, then configure and
# build in a separate folder with every core. Sourced, not run.
set -euo pipefail

VOSTREL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
VOSTREL_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
)

vostrel_install_missing() {
  local missing=()
  local package
  for package in "${VOSTREL_PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  local install=(apt-get install -y --no-install-recommends "${missing[@]}")
  if [ "$(id -u)" -eq 0 ]; then
    apt-get update
    DEBIAN_FRONTEND=noninteractive "${install[@]}"
  elif command -v sudo >/dev/null 2>&1; then
    sudo apt-get update
    sudo DEBIAN_FRONTEND=noninteractive "${install[@]}"
  else
    echo "Vostrel needs these Debian packages. Install them as root, then run this again:" >&2
    echo "  apt-get update && ${install[*]}" >&2
    exit 1
  fi
}

# vostrel_build BUILD_DIR [extra cmake arguments...]
# Builds everything, or only the targets named in VOSTREL_TARGETS (space-separated).
vostrel_build() {
  local build_dir="$1"
  shift
  if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S "$VOSTREL_ROOT" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  fi
  local targets=()
  local target
  for target in ${VOSTREL_TARGETS:-}; do
    targets+=(--target "$target")
  done
  cmake --build "$build_dir" --parallel "$(nproc)" "${targets[@]}"
}
