#!/usr/bin/env bash
# An installation checked file by file: `cmake --install` into a temporary prefix puts exactly
# the expected files there, each of them valid for the tool that reads it (the launcher, the
# file types, the AppStream data, the man page, the icons, the help page where the program looks
# for it); the installed program answers --help and --version without a display; `make install`
# honours PREFIX and DESTDIR; the .deb of the same build holds the same files, names the Debian
# packages the program needs, and passes lintian without an error or a warning.
#
# usage: install.sh <source-dir> <build-dir>
set -euo pipefail
source_dir=$(realpath "$1")
build=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*"
  exit 1
}
for tool in desktop-file-validate appstreamcli update-mime-database man dpkg-deb dpkg-shlibdeps cpack identify lintian readelf; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps installs it)"
done

# The regular files under a folder, relative to it, sorted.
files_under() { (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }

expected="bin/vexolin
lib/vexolin/player/vexolin-mpv.so
lib/vexolin/tags/vexolin-tags.so
share/applications/vexolin.desktop
share/doc/vexolin/changelog.gz
share/doc/vexolin/copyright
share/icons/hicolor/128x128/apps/vexolin.png
share/icons/hicolor/48x48/apps/vexolin.png
share/icons/hicolor/scalable/apps/vexolin.svg
share/man/man1/vexolin.1.gz
share/metainfo/org.vexolin.vexolin.metainfo.xml
share/mime/packages/vexolin.xml
share/vexolin/Vexolin.htm"

# --- cmake --install into a prefix
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
actual=$(files_under "$prefix")
[ "$actual" = "$expected" ] || fail "installed files differ:"$'\n'"$(diff <(echo "$expected") <(echo "$actual"))"
[ -x "$prefix/bin/vexolin" ] || fail "bin/vexolin is not executable"
# libmpv and the libraries it brings load with the player module, once the window shows.
! readelf -d "$prefix/bin/vexolin" | grep -q 'NEEDED.*libmpv' || fail "bin/vexolin links libmpv itself"
readelf -d "$prefix/lib/vexolin/player/vexolin-mpv.so" | grep -q 'NEEDED.*libmpv' || fail "the player module does not link libmpv"
# TagLib loads with the tag reader module, on the first tag read.
! readelf -d "$prefix/bin/vexolin" | grep -q 'NEEDED.*libtag' || fail "bin/vexolin links TagLib itself"
readelf -d "$prefix/lib/vexolin/tags/vexolin-tags.so" | grep -q 'NEEDED.*libtag' || fail "the tag reader module does not link TagLib"
for module in player/vexolin-mpv.so tags/vexolin-tags.so; do
  [ "$(stat -c %a "$prefix/lib/vexolin/$module")" = 644 ] || fail "lib/vexolin/$module is not rw-r--r--"
done
echo "ok: the prefix holds the program, its player and tag reader modules and its ten companion files"

# --- the launcher: valid, opens any number of files, lists its own file types, playlists and media
desktop="$prefix/share/applications/vexolin.desktop"
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate warns: $report"
grep -qx 'Exec=vexolin %F' "$desktop" || fail "the launcher does not run 'vexolin %F'"
grep -qx 'Icon=vexolin' "$desktop" || fail "the launcher does not show the program icon"
types=$(grep -x 'MimeType=.*' "$desktop" | sed 's/^MimeType=//' | tr ';' '\n')
for type in application/x-vexolin-database application/x-vexolin-playlist audio/x-mpegurl audio/mpegurl audio/mpeg \
  audio/flac audio/ogg audio/x-wav video/mp4 video/x-matroska video/webm; do
  grep -qx "$type" <<<"$types" || fail "the launcher does not list $type"
done
echo "ok: the launcher validates and opens databases, playlists and $(grep -v mpegurl <<<"$types" | grep -c '^audio/\|^video/') audio and video types"

# --- the file types: the shared-mime-info package parses, with a glob per type that ignores case
mime="$work/mime"
mkdir -p "$mime/packages"
cp "$prefix/share/mime/packages/vexolin.xml" "$mime/packages/"
report=$(XDG_DATA_HOME="$work" update-mime-database "$mime" 2>&1) || fail "update-mime-database: $report"
[ -z "$report" ] || fail "update-mime-database warns: $report"
globs=$(grep -v '^#' "$mime/globs2" | LC_ALL=C sort)
# No ":cs" flag: the globs match in any letter case (Music.VxDatabase, list.VXPLAYLIST).
[ "$globs" = "50:application/x-vexolin-database:*.vxdatabase
50:application/x-vexolin-playlist:*.vxplaylist" ] || fail "unexpected globs: $globs"
for type in x-vexolin-database x-vexolin-playlist; do
  grep -q '<comment>' "$mime/application/$type.xml" || fail "$type has no description"
done
echo "ok: the file types parse; *.vxdatabase and *.vxplaylist in any case"

# --- AppStream
metainfo="$prefix/share/metainfo/org.vexolin.vexolin.metainfo.xml"
report=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1) || fail "appstreamcli validate: $report"
[ "$report" = "✔ Validation was successful." ] || fail "appstreamcli validate notes: $report"
grep -q '<project_license>' "$metainfo" || fail "the AppStream data name no licence"
grep -q '<release version="1.77" ' "$metainfo" || fail "the AppStream data have no release 1.77"
grep -q '<launchable type="desktop-id">vexolin.desktop</launchable>' "$metainfo" ||
  fail "the AppStream data do not name the launcher"
echo "ok: the AppStream data validate without a note, with the licence and release 1.77"

# --- the man page renders without a warning
manual="$prefix/share/man/man1/vexolin.1.gz"
page=$(MANWIDTH=80 man --warnings -P cat -l "$manual" 2>"$work/man.err") || fail "man -l failed: $(cat "$work/man.err")"
[ ! -s "$work/man.err" ] || fail "man -l warns: $(cat "$work/man.err")"
grep -q 'vexolin - media jukebox' <<<"$page" || fail "the man page has no NAME line"
grep -q -- '--version' <<<"$page" || fail "the man page does not describe --version"
grep -q -- '--new-window' <<<"$page" || fail "the man page does not describe --new-window"
grep -q 'Vexolin 1.77' <<<"$page" || fail "the man page does not carry the version"
echo "ok: the man page renders"

# --- the copyright file reads as Debian's machine-readable format; the changelog as a Debian one
copyright="$prefix/share/doc/vexolin/copyright"
head -n 1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not in the machine-readable format"
grep -qx 'License: .*' "$copyright" || fail "the copyright file names no licence"
zcat "$prefix/share/doc/vexolin/changelog.gz" | head -n 1 | grep -q '^vexolin (1.77) ' ||
  fail "the changelog does not start with version 1.77"
echo "ok: the copyright file and the changelog"

# --- icons: each PNG has the size of its folder; the SVG is the drawing they come from
for size in 48 128; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/vexolin.png"
  [ "$(identify -format '%m %wx%h' "$png")" = "PNG ${size}x${size}" ] || fail "$png is not a ${size}-pixel PNG"
done
cmp -s "$prefix/share/icons/hicolor/scalable/apps/vexolin.svg" "$source_dir/data/vexolin.svg" ||
  fail "the scalable icon is not data/vexolin.svg"
echo "ok: the icons have their sizes"

# --- the help page, in share/vexolin beside the program's bin/, where the program looks for it
cmp -s "$prefix/bin/../share/vexolin/Vexolin.htm" "$source_dir/docs/Vexolin.htm" || fail "the help page differs"
echo "ok: the help page lies in share/vexolin"

# --- --help and --version without a display
no_display() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR "$@"; }
version=$(no_display "$prefix/bin/vexolin" --version) || fail "--version exited with $?"
[ "$version" = "Vexolin 1.77" ] || fail "--version printed '$version'"
usage=$(no_display "$prefix/bin/vexolin" --help) || fail "--help exited with $?"
grep -q '^Usage: vexolin' <<<"$usage" || fail "--help printed no usage: $usage"
grep -q -- '--version' <<<"$usage" || fail "--help does not mention --version"
grep -q -- '--new-window' <<<"$usage" || fail "--help does not mention --new-window"
[ "$(no_display "$prefix/bin/vexolin" --version --help)" = "Vexolin 1.77" ] || fail "--version --help does not print the version"
no_display "$prefix/bin/vexolin" --help --version | grep -q '^Usage: vexolin' || fail "--help --version prints no usage"
echo "ok: --help and --version answer without a display, in either order"

# --- make install with PREFIX and DESTDIR
make -s -C "$source_dir" install BUILD="$build" PREFIX=/opt/vexolin DESTDIR="$work/stage" >/dev/null
actual=$(files_under "$work/stage/opt/vexolin")
[ "$actual" = "$expected" ] || fail "make install put other files under DESTDIR/PREFIX:"$'\n'"$actual"
[ "$(files_under "$work/stage" | grep -vc '^opt/vexolin/')" = 0 ] || fail "make install wrote outside DESTDIR/PREFIX"
echo "ok: make install honours PREFIX and DESTDIR"

# Installed for real (no DESTDIR), the file managers' caches of that prefix know the types and
# that Vexolin opens them.
XDG_DATA_HOME="$work/own" make -s -C "$source_dir" install BUILD="$build" PREFIX="$work/own" >/dev/null 2>"$work/make.err" ||
  fail "make install into a prefix of its own: $(cat "$work/make.err")"
[ -f "$work/own/share/mime/mime.cache" ] || fail "make install did not refresh the file types"
for type in application/x-vexolin-database application/x-vexolin-playlist; do
  grep -q "^$type=.*vexolin.desktop" "$work/own/share/applications/mimeinfo.cache" ||
    fail "the launcher cache does not open $type with Vexolin"
done
echo "ok: make install refreshes the desktop's caches of its prefix"

# --- the Debian package of this build: the same files under /usr, its dependencies, and lintian
cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 || fail "cpack: $(cat "$work/cpack.log")"
deb=$(find "$work/package" -maxdepth 1 -name 'vexolin_1.77_*.deb' | head -n 1)
[ -n "$deb" ] || fail "no vexolin_1.77_<arch>.deb was made: $(cat "$work/cpack.log")"
packaged=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./usr/||' | LC_ALL=C sort)
[ "$packaged" = "$expected" ] || fail "the package holds other files:"$'\n'"$(diff <(echo "$expected") <(echo "$packaged"))"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libmpv libtag1v5 libqt6widgets6 libqt6dbus6 qt6-qpa-plugins; do
  grep -q "$needed" <<<"$depends" || fail "the package does not depend on $needed: $depends"
done
echo "ok: $(basename "$deb") holds the same files; Depends: $depends"
# Every error and warning fails; the tags of lower rank are shown.
status=0
lintian --display-info --pedantic "$deb" >"$work/lintian.log" 2>"$work/lintian.err" || status=$?
[ "$status" = 0 ] || [ -s "$work/lintian.log" ] || fail "lintian did not run: $(cat "$work/lintian.err")"
if grep '^[EW]: ' "$work/lintian.log"; then
  fail "lintian reports errors or warnings (above)"
fi
echo "ok: lintian reports no error and no warning"
sed 's/^/  lintian: /' "$work/lintian.log"
