#!/usr/bin/env bash
# Prints from the program's own print handler onto a real print queue: a cupsd
# of our own with a cups-pdf queue as default printer; one PDF page must arrive
# with the picture at the top of the page. Skips (77) only where cupsd cannot run.
set -uo pipefail
programm=$1
if [[ $(id -u) -ne 0 ]]; then echo "SKIP: cupsd and the cups-pdf backend need root"; exit 77; fi
for t in cupsd lpadmin pdfinfo pdftoppm convert; do
  command -v "$t" >/dev/null || { echo "SKIP: $t is not installed"; exit 77; }
done
[[ -x /usr/lib/cups/backend/cups-pdf ]] || { echo "SKIP: no cups-pdf backend"; exit 77; }

dir=$(mktemp -d /tmp/druckprobe.XXXXXX)
mkdir -p "$dir"/{spool,cache,state,tmp,ppd,log}
chmod 755 "$dir"; chmod 1777 "$dir/tmp"; chmod 755 "$dir/spool" "$dir/cache" "$dir/state"
cat >"$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
SystemGroup root
CONF
cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" &
pid=$!
ende() { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; rm -rf "$dir"; }
trap ende EXIT
export CUPS_SERVER=$dir/cups.sock
for _ in $(seq 50); do [[ -S $CUPS_SERVER ]] && break; sleep 0.2; done
[[ -S $CUPS_SERVER ]] || { echo "FAIL: cupsd did not start"; cat "$dir/log/error_log" 2>/dev/null; exit 1; }

lpadmin -p exportpdf -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -E || exit 1
lpadmin -d exportpdf || exit 1

ausgabe=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF
mkdir -p "$ausgabe"
# Every fresh cupsd numbers its first job 1, so the backend may overwrite a file
# of an earlier run under the same name: the new page is told by its time.
marke=$dir/vor-dem-druck; touch "$marke"; sleep 1
DRUCKER_ERWARTET=exportpdf QT_QPA_PLATFORM=offscreen "$programm" druckenAufStandarddrucker || exit 1

# Wait until the queue is empty, so that the backend has finished the file.
for _ in $(seq 150); do [[ -z $(lpstat -o 2>/dev/null) ]] && break; sleep 0.2; done
pdf=
for _ in $(seq 150); do
  neu=$(find "$ausgabe" -maxdepth 1 -name '*.pdf' -newer "$marke" | head -1)
  if [[ -n $neu ]]; then pdf=$neu; sleep 0.5; break; fi
  sleep 0.2
done
[[ -n $pdf ]] || { echo "FAIL: no PDF arrived"; cat "$dir/log/error_log"; exit 1; }
cp "$pdf" "${KEEP_PAGE:-/dev/null}.pdf" 2>/dev/null; trap 'rm -f "$pdf"; ende' EXIT
seiten=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
[[ $seiten == 1 ]] || { echo "FAIL: $seiten pages"; exit 1; }
pdftoppm -r 50 -png -singlefile "$pdf" "$dir/seite" || exit 1
# The picture fills the width at the top; the lower part of the page stays white.
oben=$(convert "$dir/seite.png" -gravity north -crop 100%x40%+0+0 -colorspace gray -format '%[fx:mean]' info:)
unten=$(convert "$dir/seite.png" -gravity south -crop 100%x40%+0+0 -colorspace gray -format '%[fx:mean]' info:)
echo "page mean top $oben, bottom $unten"; cp "$dir/seite.png" "${KEEP_PAGE:-/dev/null}" 2>/dev/null
awk -v o="$oben" -v u="$unten" 'BEGIN { exit !(o < 0.995 && u == 1) }' || { echo "FAIL: picture not in the page rectangle"; tail -20 "$dir/log/error_log"; exit 1; }
echo "one page printed with the picture at the top"
