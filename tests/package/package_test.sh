#!/usr/bin/env bash
# Builds the Debian package from an existing build tree (no rebuild), installs it into a
# throw-away root and checks what a user would get: the file list, the desktop entry and
# the metainfo, the manual pages, the completion and the version of the installed
# programs; then that removing it leaves nothing, that a second build gives the same
# bytes, and lintian's verdict where lintian is installed (some 30 s on this package).
set -euo pipefail
build=$(cd "${1:?usage: package_test.sh BUILD_DIR}" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
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

# A throw-away root with its own dpkg database: the package is installed there (its
# dependencies are this machine's) and removed again at the end.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-not-root -i "$deb" >"$work/dpkg.log" 2>&1 ||
  { cat "$work/dpkg.log"; fail "dpkg -i"; }
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./|/|' | LC_ALL=C sort >"$work/files"
expected=(
  /usr/bin/velmora /usr/bin/velmora-cli
  /usr/share/applications/velmora.desktop
  /usr/share/mime/packages/velmora.xml
  /usr/share/metainfo/org.velmora.Velmora.metainfo.xml
  /usr/share/man/man1/velmora.1.gz /usr/share/man/man1/velmora-cli.1.gz
  /usr/share/man/zh_CN/man1/velmora.1.gz
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
if grep -rlF --binary-files=text -e "$build" -e "$source_dir" "$root/usr" | grep .; then
  fail "a build or source path is inside the package"
fi

desktop-file-validate "$root/usr/share/applications/velmora.desktop"
appstreamcli validate --no-net --explain "$root/usr/share/metainfo/org.velmora.Velmora.metainfo.xml"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/org.velmora.Velmora.metainfo.xml" ||
  fail "the metainfo names another version"

[ "$("$root/usr/bin/velmora-cli" --version)" = "velmora-cli $version" ] || fail "velmora-cli --version"
[ "$("$root/usr/bin/velmora" --version)" = "velmora $version" ] || fail "velmora --version"
"$root/usr/bin/velmora-cli" state "F+;" | grep -q '^code: ' || fail "the installed velmora-cli does not run"

# Every command and option of velmora-cli is in its manual page and is completed.
man_text=$(zcat "$root/usr/share/man/man1/velmora-cli.1.gz" | sed 's/\\-/-/g')
cli="$root/usr/bin/velmora-cli"
# What bash would offer after "velmora-cli ARGS..." (the last argument being typed).
complete_line() {
  bash -c 'source "$1"; shift; COMP_WORDS=(velmora-cli "$@"); COMP_CWORD=$#; _velmora_cli; echo " ${COMPREPLY[*]} "' \
    _ "$root/usr/share/bash-completion/completions/velmora-cli" "$@"
}
commands=$("$cli" --help | awk '/^Subcommands:/ {on = 1; next} on && NF {print $1}')
[ -n "$commands" ] || fail "no commands in --help"
offered=$(complete_line "")
for c in $commands; do
  grep -qE "^\.BI? \"?$c\b" <<<"$man_text" || fail "manual page lacks the command $c"
  [[ $offered == *" $c "* ]] || fail "completion lacks the command $c"
  options=$(complete_line "$c" "--")
  for o in $("$cli" "$c" --help | grep -o -- '--[a-z-]*' | sort -u); do
    grep -q -- "$o" <<<"$man_text" || fail "manual page lacks $c $o"
    [[ $options == *" $o "* ]] || fail "completion lacks $c $o"
  done
done
[ "$(complete_line batch --method "")" = " group eight-corner shortest optimal " ] || fail "completion of --method"
mkdir "$work/cubes" && touch "$work/cubes/cube.mf" "$work/cubes/notes.txt"
[ "$(cd "$work/cubes" && complete_line open "")" = " cube.mf " ] || fail "completion of a cube file"
for page in man1/velmora.1.gz man1/velmora-cli.1.gz zh_CN/man1/velmora.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$root/usr/share/man/$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $page: $warnings"
done

if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian"; }
fi

# Removing the package leaves nothing of it behind.
dpkg --root="$root" -r velmora >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -r"; }
[ -z "$(find "$root/usr" -type f 2>/dev/null)" ] || fail "files left after removal: $(find "$root/usr" -type f)"

# The same tree gives the same bytes.
first=$(sha256sum <"$deb")
rm -f "$deb"
cpack -G DEB >"$work/cpack2.log" 2>&1 || fail "second cpack"
[ "$(sha256sum <"$deb")" = "$first" ] || fail "the package is not reproducible"
echo "package ok: $(basename "$deb"), $(stat -c %s "$deb") bytes, $(wc -l <"$work/files") files"
