#!/usr/bin/env bash
# Takes the window screenshot the metainfo shows (packaging/screenshots/main.png): a
# fixed position, four steps into its solution, drawn by the real program under Xvfb.
#   packaging/take_screenshot.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build"/velmora-cli save "$work/cube.mf" --moves "F+;T+;R-;P*;L+;B-;F*;R+;T-;L-;" --steps 4 >/dev/null
# A fresh home: default colours and layout, no recent files.
HOME=$work XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build"/ui/velmora --screenshot packaging/screenshots/main.png "$work/cube.mf"
