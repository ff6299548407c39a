#!/usr/bin/env bash
# Installs the build into a fresh prefix outside the source and build trees and
# checks what lands there: the desktop files validate, and the installed program
# runs without reading anything from the trees and answers as the built one does.
set -euo pipefail
trap 'echo "FEHLER: line $LINENO: $BASH_COMMAND"' ERR
build=$1 quelle=$2 gebaut=$3 programm=$4 id=$5 version=$6 endung=$7 mime=$8
tmp=$(mktemp -d /tmp/plotter-install.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
fehler=0
falsch() { echo "FEHLER: $*"; fehler=1; }

cmake --install "$build" --prefix "$prefix" --strip >/dev/null

share=$prefix/share
erwartet=(
  bin/$programm
  share/applications/$id.desktop
  share/metainfo/$id.metainfo.xml
  share/mime/packages/$id.xml
  share/man/man1/$programm.1.gz
  share/man/ru/man1/$programm.1.gz
  share/icons/hicolor/scalable/apps/$id.svg
  share/icons/hicolor/48x48/apps/$id.png
  share/icons/hicolor/128x128/apps/$id.png
  share/icons/hicolor/256x256/apps/$id.png
  share/doc/$programm/copyright
)
for datei in "${erwartet[@]}"; do
  [[ -f $prefix/$datei ]] || falsch "nicht installiert: $datei"
done
for groesse in 48 128 256; do
  file "$share/icons/hicolor/${groesse}x$groesse/apps/$id.png" |
    grep -q "PNG image data, $groesse x $groesse," || falsch "Symbol $groesse: falsche Größe"
done

# Validators: errors and warnings fail, hints and infos are advice.
meldung=$(desktop-file-validate "$share/applications/$id.desktop" 2>&1) || falsch "desktop-file-validate"
grep -E 'error|warning' <<<"$meldung" && falsch "Menüeintrag: $meldung"
appstreamcli validate --no-net --explain "$share/metainfo/$id.metainfo.xml" >"$tmp/as.txt" 2>&1 ||
  { cat "$tmp/as.txt"; falsch "appstreamcli validate"; }
grep -E '^[EW]:' "$tmp/as.txt" && falsch "Metainfo"
# The man pages, English and Russian, render without a warning from groff.
for sprache in en ru; do
  seite=$share/man/man1/$programm.1.gz
  [[ $sprache == en ]] || seite=$share/man/$sprache/man1/$programm.1.gz
  warnungen=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$seite" 2>&1 >"$tmp/man.$sprache.txt") ||
    falsch "man -l $seite"
  [[ -z $warnungen ]] || falsch "man page $sprache: $warnungen"
  grep -q -- "--export" "$tmp/man.$sprache.txt" || falsch "man page $sprache has no --export"
done
# The MIME package compiles and maps the worksheet extension to its type.
XDG_DATA_DIRS=$share update-mime-database "$share/mime" 2>"$tmp/mime.txt" || falsch "update-mime-database"
[[ -s $tmp/mime.txt ]] && falsch "update-mime-database: $(cat "$tmp/mime.txt")"
grep -q ":$mime:\*\.$endung$" "$share/mime/globs2" || falsch "globs2 lacks *.$endung"
grep -q "^$mime$" "$share/mime/types" || falsch "types lacks $mime"
# The menu's file associations: a worksheet opens in the program.
update-desktop-database "$share/applications"
grep -qx "$mime=$id.desktop;" "$share/applications/mimeinfo.cache" || falsch "worksheet not associated"

# The installed program: no library or file path may point into the trees.
installiert=$prefix/bin/$programm
ldd "$installiert" | grep -F -e "$quelle" -e "$build" && falsch "ldd: library from the tree"
unset DISPLAY WAYLAND_DISPLAY
export HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
cd "$tmp"

# Every file the program touches, tried or opened, is in the trace; a path into
# the trees means the installed copy still depends on the build.
verfolgt() {
  local protokoll=$1; shift
  strace -f -qq -e trace=%file -o "$protokoll" "$@"
}
spur_ohne_baum() {
  if grep -F -e "\"$quelle" -e "\"$build" "$1" | head -5 | grep .; then
    falsch "$(basename "$1"): path into the source or build tree"
  fi
}
spur_mit_schrift() {
  local protokoll=$1
  grep -q 'openat(.*"/usr/share/fonts/[^"]*DejaVuSans[^"]*", O_RDONLY[^=]*= [0-9]' "$protokoll" ||
    falsch "$(basename "$protokoll"): the drawing's font was not loaded from /usr/share/fonts"
}

[[ $("$installiert" --version) == "$programm $version" ]] || falsch "--version: $("$installiert" --version)"

# Every option of --help is documented in both man pages (groff may hyphenate).
# The controls' captions in «…» are menu texts such as «-f1(x) , …», not options.
optionen() { grep -o -E -- '(^|[^[:alnum:]-])--?[a-z][a-z0-9]*' | grep -o -E -- '--?[a-z0-9]+' | sort -u; }
hilfe=$("$installiert" --help | sed 's/«[^»]*»//g' | optionen)
for sprache in en ru; do
  handbuch=$(sed 's/‐//g' "$tmp/man.$sprache.txt" | optionen)
  fehlt=$(comm -23 <(echo "$hilfe") <(echo "$handbuch"))
  [[ -z $fehlt ]] || falsch "options of --help missing in the man page $sprache: $fehlt"
done

# Batch export of the default state without a display, and a result list with the
# derivatives (the rewrite table): the installed copy gives what the built one gives.
auftrag=(--set c_1ableitung=true --set c_2ableitung=true --set c_nullstellen=true --list)
verfolgt "$tmp/export.strace" "$installiert" --export "$tmp/installiert.png" "${auftrag[@]}" \
  >"$tmp/installiert.txt" || falsch "installed --export ended with $?"
spur_ohne_baum "$tmp/export.strace"
spur_mit_schrift "$tmp/export.strace"
"$gebaut" --export "$tmp/gebaut.png" "${auftrag[@]}" >"$tmp/gebaut.txt" || falsch "built --export"
file "$tmp/installiert.png" | grep -q "PNG image data" || falsch "installed --export wrote no PNG"
cmp -s "$tmp/installiert.png" "$tmp/gebaut.png" || falsch "installed and built pictures differ"
grep -q "^Y = SIN(X+P)+X\*COS(X+P)$" "$tmp/installiert.txt" || falsch "no first derivative in the list"
cmp -s "$tmp/installiert.txt" "$tmp/gebaut.txt" || falsch "installed and built result lists differ:
$(diff "$tmp/installiert.txt" "$tmp/gebaut.txt")"

# The window, on the offscreen platform: it starts and keeps running until it is
# stopped (timeout's 124), and only system files are read on the way.
status=0
QT_QPA_PLATFORM=offscreen verfolgt "$tmp/fenster.strace" timeout 3 "$installiert" || status=$?
[[ $status -eq 124 ]] || falsch "installed window ended with $status instead of running"
spur_ohne_baum "$tmp/fenster.strace"

exit $fehler
