#!/usr/bin/env bash
# Makes the Debian package from a finished build and checks it: its file list, the desktop
# entry, AppStream metadata and file types against their validators, lintian, and the programs
# run from the unpacked package.   scripts/check-package.sh BUILD_FOLDER
set -euo pipefail
build=$(realpath "${1:-build}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "package check: $*" >&2
  exit 1
}

rm -rf "$build/package"
log=$(cpack --config "$build/CPackConfig.cmake" -G DEB -B "$build/package" 2>&1) ||
  fail "cpack failed: $log"
debs=("$build"/package/tunedex_*_amd64.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  fail "no single tunedex_VERSION_amd64.deb in $build/package"
fi
deb=${debs[0]}
echo "made $deb"

# The file list.
dpkg-deb -c "$deb" | awk '{ print $NF }' | sed 's|^\./|/|' >"$work/files"
expected=(
  /usr/bin/tunedex /usr/bin/tunedex-cli
  /usr/share/applications/org.tunedex.Tunedex.desktop
  /usr/share/icons/hicolor/scalable/apps/org.tunedex.Tunedex.svg
  /usr/share/mime/packages/tunedex.xml
  /usr/share/metainfo/org.tunedex.Tunedex.metainfo.xml
  /usr/share/man/man1/tunedex.1.gz /usr/share/man/man1/tunedex-cli.1.gz
  /usr/share/doc/tunedex/copyright /usr/share/doc/tunedex/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/org.tunedex.Tunedex.png")
done
for path in "${expected[@]}"; do
  grep -qxF "$path" "$work/files" || fail "the package lacks $path"
done
grep -q '^Depends:.*libqt6widgets6' <(dpkg-deb -f "$deb") || fail "the package's dependencies were not computed"

root=$work/root
dpkg-deb -x "$deb" "$root"
share=$root/usr/share

# A PNG's width and height, from its header's first chunk.
png_size() {
  [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || return 0
  od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216 + $2*65536 + $3*256 + $4 "x" \
    $5*16777216 + $6*65536 + $7*256 + $8 }'
}

# Each PNG icon has the size its folder names.
for size in 16 22 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/org.tunedex.Tunedex.png
  [ "$(png_size "$png")" = "${size}x${size}" ] || fail "$png is not a ${size}x${size} PNG"
done

# The validators: desktop-file-validate prints nothing for an entry without faults.
if ! report=$(desktop-file-validate "$share/applications/org.tunedex.Tunedex.desktop" 2>&1) ||
  [ -n "$report" ]; then
  fail "desktop-file-validate: $report"
fi
appstreamcli validate --no-net "$share/metainfo/org.tunedex.Tunedex.metainfo.xml" >/dev/null ||
  fail "appstreamcli validate: $(appstreamcli validate --no-net "$share/metainfo/"*.xml 2>&1)"
xmllint --noout "$share/mime/packages/tunedex.xml"

# The file types as the desktop tells them: a catalogue written by the installed tunedex-cli and
# a version-1.0 catalogue are recognised by their content, whatever their names; a playlist by
# its extension; other content is not a catalogue.
mkdir -p "$work/mime/mime/packages" "$work/files-to-type"
cp "$share/mime/packages/tunedex.xml" "$work/mime/mime/packages/"
update-mime-database "$work/mime/mime" 2>/dev/null
types=$work/files-to-type
"$root/usr/bin/tunedex-cli" scan "$types/fresh.tdb" "$types" >/dev/null
mv "$types/fresh.tdb" "$types/catalogue"
printf 'LEGACY3DB\040' >"$types/old-catalogue"
printf 'TunedxDB' >"$types/not-a-catalogue"
printf '\005Alice\010/s/a.kar' >"$types/evening.tdp"
content_type() {
  XDG_DATA_DIRS="$work/mime:/usr/share" gio info -a standard::content-type "$types/$1" |
    sed -n 's/^ *standard::content-type: //p'
}
for case in catalogue:application/x-tunedex-catalogue old-catalogue:application/x-tunedex-catalogue \
  evening.tdp:application/x-tunedex-playlist; do
  got=$(content_type "${case%%:*}")
  [ "$got" = "${case#*:}" ] || fail "${case%%:*} is $got, not ${case#*:}"
done
[ "$(content_type not-a-catalogue)" != application/x-tunedex-catalogue ] ||
  fail "a file with a cut-off magic counts as a catalogue"

# The manual pages carry the README's sections: every command's heading, and the player table.
readme=$(dirname "$0")/../README.md
awk '/^## `tunedex-cli`/ { on = 1; next } /^## / { on = 0 } on && /^### / { sub(/^### /, ""); gsub(/`/, ""); print }' \
  "$readme" >"$work/headings"
[ -s "$work/headings" ] || fail "README.md has no tunedex-cli commands"
while read -r heading; do
  zcat "$share/man/man1/tunedex-cli.1.gz" | grep -qxF ".SS \"$heading\"" ||
    fail "tunedex-cli.1 lacks the README's section $heading"
done <"$work/headings"
zcat "$share/man/man1/tunedex.1.gz" | grep -qF 'SendToClass' || fail "tunedex.1 lacks the player settings"

# lintian: warnings are reported, errors fail.
lintian --fail-on error "$deb" 2> >(grep -v 'running with root privileges' >&2) ||
  fail "lintian reports errors"

# The programs from the unpacked package, as installed: they run with the system's libraries,
# keep their settings in the user's config folder and write nothing beside themselves.
find "$root/usr/bin" | sort >"$work/bin-before"
"$root/usr/bin/tunedex-cli" --help >/dev/null
export XDG_CONFIG_HOME=$work/config
xvfb-run -a "$root/usr/bin/tunedex" --screenshot "$work/window.png" 2>/dev/null
[ -n "$(png_size "$work/window.png")" ] || fail "tunedex --screenshot made no picture"
# With no player set and no desktop application known, play names the settings file to set.
printf 'MThd' >"$work/song.kar"
message=$(XDG_DATA_DIRS=$work/none XDG_DATA_HOME=$work/none \
  xvfb-run -a "$root/usr/bin/tunedex-cli" play "$work/song.kar" 2>&1 >/dev/null) || true
case $message in
  *"of $XDG_CONFIG_HOME/tunedex/tunedex.ini"*) ;;
  *) fail "the installed tunedex-cli does not use the user's settings file: $message" ;;
esac
find "$root/usr/bin" | sort | cmp -s - "$work/bin-before" || fail "the programs wrote beside themselves"
echo "package checks passed"
