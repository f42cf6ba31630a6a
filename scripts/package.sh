#!/usr/bin/env bash
# Builds the Debian package build/packages/velmora_<version>_<arch>.deb from this tree
# (the release build, then CPack) and checks it with lintian. Its dependencies are
# computed from the binaries. Without SOURCE_DATE_EPOCH every file carries the release
# time, so that the same tree gives the same bytes.
#
#   scripts/package.sh            build the package and run lintian
#   scripts/package.sh --no-lint  without lintian
set -euo pipefail
cd "$(dirname "$0")/.."
lint=1
case "${1:-}" in
  --no-lint) lint=0 ;;
  "") ;;
  *) echo "usage: scripts/package.sh [--no-lint]" >&2; exit 2 ;;
esac
scripts/install-deps.sh

build=build
jobs=$(nproc)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_GUI=ON >/dev/null
# CPack installs what the whole build makes; build it first so that its output stays readable.
cmake --build "$build" -j"$jobs"
rm -f "$build"/packages/velmora_*.deb
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/packages/velmora_*.deb)
echo "package: $deb ($(stat -c %s "$deb") bytes)"
dpkg-deb -f "$deb" Package Version Architecture Depends

if [ "$lint" = 1 ]; then
  # Kept, as information only: spelling "errors" found in the binary search tables,
  # the .comment section and the C library calls compiled without _FORTIFY_SOURCE.
  lintian --info --fail-on error "$deb"
fi
