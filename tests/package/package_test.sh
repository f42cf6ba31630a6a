#!/usr/bin/env bash
# Builds the Debian package from an existing build tree (no rebuild), unpacks it into a
# throw-away root and checks what a user would get: the file list, the desktop entry and
# the metainfo, the manual pages and the version of the installed velmora-cli. lintian
# runs in scripts/package.sh (it takes minutes on this package).
set -euo pipefail
build=$(cd "${1:?usage: package_test.sh BUILD_DIR}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cd "$build"
rm -f packages/velmora_*.deb
cpack -G DEB >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
debs=(packages/velmora_*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one velmora_*.deb, found ${debs[*]}"
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
arch=$(dpkg-deb -f "$deb" Architecture)
[ "$(basename "$deb")" = "velmora_${version}_${arch}.deb" ] || fail "file name $(basename "$deb")"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends lacks the Qt libraries: $(dpkg-deb -f "$deb" Depends)"

root=$work/root
dpkg -x "$deb" "$root"
(cd "$root" && find . -type f -o -type l | sed 's|^\.||' | LC_ALL=C sort) >"$work/files"
expected=(
  /usr/bin/velmora /usr/bin/velmora-cli
  /usr/share/applications/velmora.desktop
  /usr/share/mime/packages/velmora.xml
  /usr/share/metainfo/org.velmora.Velmora.metainfo.xml
  /usr/share/man/man1/velmora.1.gz /usr/share/man/man1/velmora-cli.1.gz
  /usr/share/bash-completion/completions/velmora-cli
  /usr/share/doc/velmora/copyright /usr/share/doc/velmora/changelog.gz
  /usr/share/icons/hicolor/scalable/apps/velmora.svg
  /usr/share/icons/hicolor/scalable/mimetypes/application-x-velmora-cube.svg
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=(/usr/share/icons/hicolor/${size}x${size}/apps/velmora.png
             /usr/share/icons/hicolor/${size}x${size}/mimetypes/application-x-velmora-cube.png)
done
for f in "${expected[@]}"; do grep -qx "$f" "$work/files" || fail "missing $f"; done
# Nothing generated on the build machine (databases, caches) and nothing outside /usr.
if grep -v '^/usr/' "$work/files" | grep . || grep -E 'mime\.cache|/mime/[^p]|icon-theme\.cache|mimeinfo\.cache' "$work/files"; then
  fail "unexpected files in the package"
fi
if grep -rl --binary-files=text "$build" "$root" | grep .; then fail "the build path is inside the package"; fi

desktop-file-validate "$root/usr/share/applications/velmora.desktop"
appstreamcli validate --no-net --explain "$root/usr/share/metainfo/org.velmora.Velmora.metainfo.xml"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/org.velmora.Velmora.metainfo.xml" ||
  fail "the metainfo names another version"

[ "$("$root/usr/bin/velmora-cli" --version)" = "velmora-cli $version" ] || fail "velmora-cli --version"
[ "$("$root/usr/bin/velmora" --version)" = "velmora $version" ] || fail "velmora --version"
"$root/usr/bin/velmora-cli" state "F+;" | grep -q '^code: ' || fail "the installed velmora-cli does not run"

# Every command and option of velmora-cli is in its manual page and its completion.
man_text=$(zcat "$root/usr/share/man/man1/velmora-cli.1.gz" | sed 's/\\-/-/g')
completion=$(cat "$root/usr/share/bash-completion/completions/velmora-cli")
cli="$root/usr/bin/velmora-cli"
commands=$("$cli" --help | awk '/^Subcommands:/ {on = 1; next} on && NF {print $1}')
[ -n "$commands" ] || fail "no commands in --help"
for c in $commands; do
  grep -qE "^\.BI? \"?$c\b" <<<"$man_text" || fail "manual page lacks the command $c"
  options_of_c=$(grep -E -- " $c( \||\))" <<<"$completion") || fail "completion lacks the command $c"
  for o in $("$cli" "$c" --help | grep -o -- '--[a-z-]*' | sort -u); do
    grep -q -- "$o" <<<"$man_text" || fail "manual page lacks $c $o"
    grep -q -- "$o\b" <<<"$options_of_c" || fail "completion lacks $c $o"
  done
done
for page in velmora.1.gz velmora-cli.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$root/usr/share/man/man1/$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $page: $warnings"
done

# The same tree gives the same bytes.
first=$(sha256sum <"$deb")
rm -f "$deb"
cpack -G DEB >"$work/cpack2.log" 2>&1 || fail "second cpack"
[ "$(sha256sum <"$deb")" = "$first" ] || fail "the package is not reproducible"
echo "package ok: $(basename "$deb"), $(stat -c %s "$deb") bytes, $(wc -l <"$work/files") files"
