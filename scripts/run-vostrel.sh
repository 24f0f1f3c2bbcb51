#!/usr/bin/env bash
# Builds Vostrel (installing what is missing first) and starts it.
source "$(dirname "$0")/common.sh"

vostrel_install_missing
vostrel_build "$VOSTREL_ROOT/build"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "There is no display. Start Vostrel under a virtual one:" >&2
  echo "  xvfb-run -a $VOSTREL_ROOT/build/src/vostrel" >&2
  echo "or without any window on screen:" >&2
  echo "  QT_QPA_PLATFORM=offscreen $VOSTREL_ROOT/build/src/vostrel" >&2
  exit 1
fi
exec "$VOSTREL_ROOT/build/src/vostrel" "$@"
