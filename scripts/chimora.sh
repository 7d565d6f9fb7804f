#!/usr/bin/env bash
# One entry point for a fresh Debian 12 machine (run as root):
#   scripts/chimora.sh run    install what is needed, build, start Chimora
#   scripts/chimora.sh test   install what is needed, build, run every test
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"

configure_and_build() {
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build "$build" -j "$(nproc)"
}

case "${1:-}" in
  run)
    "$here/scripts/install-deps.sh"
    configure_and_build
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
      echo "chimora: no desktop display found (DISPLAY or WAYLAND_DISPLAY); start it from a desktop session: $build/app/chimora" >&2
      exit 1
    fi
    exec "$build/app/chimora"
    ;;
  test)
    "$here/scripts/install-deps.sh"
    configure_and_build
    # Headless: widgets on the offscreen platform, no sound server needed.
    export QT_QPA_PLATFORM=offscreen
    if [ -x "$here/scripts/fuzz-mpegaudio.sh" ]; then
      "$here/scripts/fuzz-mpegaudio.sh" 60
    fi
    ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 300
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
