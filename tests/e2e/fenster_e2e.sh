#!/usr/bin/env bash
# Starts its own X server on a free display, runs the plotter in it, drives it
# with xdotool and checks screenshots of the drawing:
#   the blue curve of X*SIN(X+P) in the standard view; a zoom drag moves it away;
#   Space (typed inside the term field) brings the standard view back; a term
#   typed in lower case and Enter draw its curve; Esc ends the program.
set -uo pipefail
plotter=$1
work=${2:-$(mktemp -d)}
mkdir -p "$work"

source "$(dirname "$0")/anzeige.sh"
anzeigestarten 91 160 "$work/xvfb.log"
"$plotter" >"$work/plotter.log" 2>&1 &
ppid_=$!

fenster=$(timeout 20 xdotool search --sync --onlyvisible --pid "$ppid_" 2>/dev/null | head -1)
[[ -n $fenster ]] || { echo "window did not appear"; cat "$work/plotter.log"; exit 1; }
sleep 1.5

# The client area is 1050 x 686 below the menu bar; the drawing is its top left 830 x 597.
eval "$(xdotool getwindowgeometry --shell "$fenster")"
menue=$((HEIGHT - 686))
px=$X; py=$((Y + menue))
echo "window $WIDTH x $HEIGHT at $X,$Y; drawing at $px,$py"
[[ $WIDTH -eq 1050 && $menue -gt 0 && $menue -lt 60 ]] || { echo "unexpected window size"; exit 1; }

bild() { sleep 0.5; import -window root "$work/$1.png"; }

# Rows where the curve y(x) crosses the columns, for the standard view of an
# 830 x 597 drawing: x from -6 to 6, one unit 830/12 pixels on both axes.
spalten="60 180 300 415 530 650 770"
zeilen() {  # $1: awk expression in x
  for c in $spalten; do
    awk -v c="$c" 'BEGIN { f = 830 / 12; x = (c - 415) / f; y = '"$1"'; printf "%d %d\n", c, 298 - y * f + 0.5 }'
  done
}

# Counts the columns where a blue pixel lies within 4 rows of the expected row.
treffer() {  # $1: picture, then lines "column row" on stdin
  local n=0 c r
  while read -r c r; do
    (( r < 4 || r > 592 )) && continue
    if convert "$work/$1.png" -crop "1x9+$((px + c))+$((py + r - 4))" -depth 8 txt:- |
        awk -F'[(),]' 'NR > 1 && $5 > 150 && $3 < 110 && $4 < 110 { gefunden = 1 } END { exit !gefunden }'; then
      n=$((n + 1))
    fi
  done
  echo "$n"
}

sinus='x * sin(x + 1)'
fehler=0
pruefe() {  # $1: description, $2: condition
  if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; fehler=1; fi
}

# Takes screenshots until the count of columns on the curve meets the condition
# (a slow machine may still be drawing), at most ten times; leaves the count in n.
zaehle() {  # $1: picture name, $2: curve expression, $3: condition on n
  local i
  for i in $(seq 10); do
    bild "$1"
    n=$(zeilen "$2" | treffer "$1")
    eval "$3" && return
  done
}

zaehle start "$sinus" "(( n >= 6 ))"; echo "start: $n columns on the curve"
pruefe "blue curve of X*SIN(X+P) in the standard view" "(( n >= 6 ))"

# Zoom rectangle dragged with the mouse.
xdotool mousemove $((px + 150)) $((py + 120)) mousedown 1
for s in 1 2 3 4 5 6; do xdotool mousemove $((px + 150 + s * 50)) $((py + 120 + s * 35)); sleep 0.05; done
xdotool mouseup 1
zaehle gezoomt "$sinus" "(( n <= 3 ))"; echo "zoomed: $n columns on the old curve"
pruefe "the drag zoomed the view" "(( n <= 3 ))"

# Space typed inside the term field resets the view.
xdotool mousemove $((px + 200)) $((py + 597 + 24)) click 1
sleep 0.3
xdotool key space
zaehle zurueck "$sinus" "(( n >= 6 ))"; echo "after Space: $n columns on the curve"
pruefe "Space restored the standard view" "(( n >= 6 ))"

# A term typed in small letters is drawn after Enter.
xdotool key ctrl+a
xdotool type --delay 30 'x^2/4-3'
xdotool key Return
zaehle parabel 'x * x / 4 - 3' "(( n >= 5 ))"; echo "after Enter: $n columns on the parabola"
pruefe "typed term drawn after Enter" "(( n >= 5 ))"

xdotool key Escape
for _ in $(seq 50); do kill -0 "$ppid_" 2>/dev/null || break; sleep 0.1; done
pruefe "Esc ended the program" "! kill -0 $ppid_ 2>/dev/null"
if ! kill -0 "$ppid_" 2>/dev/null; then
  wait "$ppid_"; rc=$?
  ppid_=""
  pruefe "the program ended cleanly (exit status $rc)" "(( rc == 0 ))"
fi
[[ $fehler -eq 0 ]] || { echo "--- program output"; cat "$work/plotter.log"; }

exit $fehler
