#!/usr/bin/env bash
# Builds Velmora and starts it. Arguments are passed to the program (a cube file to
# open). Without a display it says how to run under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_GUI=ON >/dev/null
cmake --build build -j"$(nproc)"
if [ -x build/ui/velmora ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found. Run it under a virtual display:"
    echo "  xvfb-run -a -s '-screen 0 1280x1024x24' build/ui/velmora $*"
    exit 1
  fi
  exec build/ui/velmora "$@"
fi
# Until the window exists: the engine on an example.
exec build/velmora-cli state "F+;T+;R-;"
