#!/usr/bin/env bash
# Packs the build as a .deb, as scripts/package does, and checks the package:
# the control fields, the files at their standard paths, and no lintian error.
set -euo pipefail
trap 'echo "FEHLER: line $LINENO: $BASH_COMMAND"' ERR
build=$1 programm=$2 id=$3 version=$4
tmp=$(mktemp -d /tmp/plotter-deb.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fehler=0
falsch() { echo "FEHLER: $*"; fehler=1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log" 2>&1 ||
  { cat "$tmp/cpack.log"; exit 1; }
deb=$tmp/${programm}_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || { echo "FEHLER: no $deb"; ls "$tmp"; exit 1; }

dpkg-deb --info "$deb" >"$tmp/info.txt"
for feld in "Package: $programm" "Version: $version" "Section: math" \
            "Depends: .*libqt6widgets6" "Depends: .*libc6 (>=" "Depends: .*fonts-dejavu-core" \
            "Depends: .*fonts-liberation2" "Depends: .*qt6-translations-l10n" \
            "Description: [a-z].*" "Maintainer: .*<.*@.*>"; do
  grep -q "^ $feld" "$tmp/info.txt" || falsch "control lacks '$feld'"
done
[[ $(grep -c '^  ' "$tmp/info.txt") -ge 2 ]] || falsch "no extended description"

dpkg-deb --contents "$deb" | awk '{print $NF}' >"$tmp/inhalt.txt"
for pfad in usr/bin/$programm \
            usr/share/applications/$id.desktop \
            usr/share/metainfo/$id.metainfo.xml \
            usr/share/mime/packages/$id.xml \
            usr/share/man/man1/$programm.1.gz usr/share/man/ru/man1/$programm.1.gz \
            usr/share/icons/hicolor/scalable/apps/$id.svg \
            usr/share/icons/hicolor/{48x48,128x128,256x256}/apps/$id.png \
            usr/share/doc/$programm/copyright usr/share/doc/$programm/changelog.gz; do
  grep -qx "\./$pfad" "$tmp/inhalt.txt" || falsch "package lacks /$pfad"
done
grep -v -e '^\./usr/$' -e '^\./usr/bin/' -e '^\./usr/share/' "$tmp/inhalt.txt" && falsch "files outside /usr/bin and /usr/share"

# Errors fail; warnings are listed for whoever reads the log.
lintian --fail-on error "$deb" >"$tmp/lintian.txt" 2>&1 || falsch "lintian reports an error"
grep -v 'running with root privileges' "$tmp/lintian.txt" || true
exit $fehler
