#!/usr/bin/env bash
# Saves a worksheet from the window in a real X server (a term typed, a check box
# ticked, the view zoomed by a mouse drag, then Ctrl+S and a name typed into the
# dialog), opens it in a new process of the program, and checks that the two
# screenshots of the drawing are equal and differ from the start picture.
set -uo pipefail
plotter=$1
work=${2:-$(mktemp -d)}
mkdir -p "$work"
blatt=$work/e2e-$$.fpblatt
rm -f "$blatt"

source "$(dirname "$0")/anzeige.sh"
anzeigestarten 161 230 "$work/xvfb-blatt.log"

fehler=0
pruefe() {  # $1: description, $2: condition
  if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; fehler=1; fi
}

# Starts the program with the given arguments and finds the drawing's corner px,py.
starten() {
  "$plotter" "$@" >>"$work/plotter-blatt.log" 2>&1 &
  ppid_=$!
  fenster=$(timeout 20 xdotool search --sync --onlyvisible --pid "$ppid_" 2>/dev/null | head -1)
  [[ -n $fenster ]] || { echo "window did not appear"; cat "$work/plotter-blatt.log"; exit 1; }
  sleep 1.5
  eval "$(xdotool getwindowgeometry --shell "$fenster")"
  px=$X; py=$((Y + HEIGHT - 686))
}

# The drawing area of the screen, 830 x 597 below the menu bar.
zeichnung() {  # $1: name
  sleep 0.7
  import -window root "$work/$1-voll.png"
  convert "$work/$1-voll.png" -crop "830x597+$px+$py" +repage "$work/$1.png"
}

beenden() {
  kill "$ppid_" 2>/dev/null
  wait "$ppid_" 2>/dev/null
  ppid_=""
}

starten
zeichnung anfang

# Term typed in small letters, zeros ticked, the view zoomed by a drag.
xdotool mousemove $((px + 200)) $((py + 597 + 24)) click 1
sleep 0.3
xdotool key ctrl+a
xdotool type --delay 30 'x^2/4-3'
xdotool key Return
xdotool mousemove $((px + 830 + 22)) $((py + 70 + 67)) click 1
sleep 0.3
xdotool mousemove $((px + 200)) $((py + 150)) mousedown 1
for s in 1 2 3 4 5 6; do xdotool mousemove $((px + 200 + s * 60)) $((py + 150 + s * 40)); sleep 0.05; done
xdotool mouseup 1
sleep 0.5

xdotool key ctrl+s
sleep 1.5
xdotool type --delay 20 "$blatt"
xdotool key Return
for _ in $(seq 50); do [[ -s $blatt ]] && break; sleep 0.1; done
pruefe "Ctrl+S and the dialog wrote the worksheet" "[[ -s '$blatt' ]]"
zeichnung gespeichert
beenden

starten "$blatt"
zeichnung geoeffnet
beenden

abstand() { compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 | cut -d' ' -f1; }
pruefe "the worksheet's drawing differs from the start picture ($(abstand anfang gespeichert) pixels)" \
  "(( $(abstand anfang gespeichert) > 1000 ))"
pruefe "the reopened drawing equals the saved one ($(abstand gespeichert geoeffnet) pixels differ)" \
  "(( $(abstand gespeichert geoeffnet) == 0 ))"
pruefe "the worksheet holds the typed term" "grep -q '\"ed_f1\": \"X^2/4-3\"' '$blatt'"
pruefe "the worksheet holds the ticked zeros" "grep -q '\"c_nullstellen\": true' '$blatt'"
[[ $fehler -eq 0 ]] || { echo "--- program output"; cat "$work/plotter-blatt.log"; }
rm -f "$blatt"
exit $fehler
