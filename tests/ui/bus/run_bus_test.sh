#!/usr/bin/env bash
# Runs the accessibility bus test on a virtual display with its own session bus (started
# inside the display, so that the bus services it starts can reach the display); exit 77
# (skipped) when xvfb-run, dbus-run-session or the AT-SPI Python binding is missing.
set -u
for tool in dbus-run-session xvfb-run; do
  command -v "$tool" >/dev/null 2>&1 || { echo "no $tool: skipped"; exit 77; }
done
/usr/bin/python3 -c "import pyatspi" 2>/dev/null || { echo "no python3-pyatspi: skipped"; exit 77; }
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
exec xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/accessibility_bus_test.py" "$@"
