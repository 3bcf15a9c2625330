#!/usr/bin/env bash
# Installs the build into a staging folder and checks what a desktop and a package
# need: the programs, the desktop entry, the icon, the AppStream metainfo, the man
# pages, the help and the licence; then runs the validators on them. A validator that
# is not installed is skipped with a message (scripts/install-deps.sh installs them).
# Argument: the build folder.
set -u
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
root=$stage/usr
id=org.korvo.Korvo
for file in bin/korvo bin/pskcore-decode bin/pskcore-encode \
            share/applications/$id.desktop share/icons/hicolor/scalable/apps/$id.svg \
            share/metainfo/$id.metainfo.xml share/man/man1/korvo.1 share/man/man1/pskcore-decode.1 \
            share/man/man1/pskcore-encode.1 share/korvo/korvo.hlp share/doc/korvo/LICENSE; do
    [ -f "$root/$file" ] && echo "ok: $file" || fail "$file not installed"
done
for program in korvo pskcore-decode pskcore-encode; do
    [ -x "$root/bin/$program" ] || fail "bin/$program is not executable"
done
grep -q '^Categories=.*HamRadio;' "$root/share/applications/$id.desktop" || fail "desktop entry not in HamRadio"
grep -q "^Icon=$id\$" "$root/share/applications/$id.desktop" || fail "desktop entry's icon is not $id"
grep -q 'GPL' "$root/share/doc/korvo/LICENSE" || fail "LICENSE is not the GPL"

# validator NAME COMMAND...: runs it when installed.
validate() {
    local tool=$1
    shift
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (package: see scripts/install-deps.sh)"
        return
    fi
    local output
    if output=$("$@" 2>&1); then
        echo "ok: $*"
    else
        fail "$*"
        echo "$output"
    fi
}
validate desktop-file-validate desktop-file-validate "$root/share/applications/$id.desktop"
validate appstreamcli appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml"
for page in "$root"/share/man/man1/*.1; do
    # Any troff warning (a bad request, a broken font change) fails the page.
    validate man bash -c 'warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l -Tutf8 "$1" 2>&1 >/dev/null) \
        && [ -z "$warnings" ] || { echo "$warnings"; exit 1; }' man "$page"
done
exit $((failures > 0))
