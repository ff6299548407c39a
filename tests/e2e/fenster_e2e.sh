#!/usr/bin/env bash
# Starts its own X server on a free display, runs the plotter in it, drives it
# with xdotool and checks screenshots of the drawing:
#   the blue curve of X*SIN(X+P) in the standard view; a zoom drag moves it away;
#   Space (typed inside the term field) brings the standard view back; a term
#   typed in lower case and Enter draw its curve, also with a Cyrillic "х"; the
#   wheel zooms about the pointer and the middle button drags the picture; the
#   value labels show their whole text; the About window is centred on the main
#   window and titled as designed; Esc ends the program.
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

# The same with the Russian layout's "х", which is a Cyrillic letter.
xdotool key ctrl+a
xdotool type --delay 30 '3-х^2/4'
xdotool key Return
zaehle kyrillisch '3 - x * x / 4' "(( n >= 5 ))"; echo "Cyrillic х: $n columns on the parabola"
pruefe "term typed with a Cyrillic х drawn" "(( n >= 5 ))"

xdotool key ctrl+a
xdotool type --delay 30 'x*sin(x+1)'
xdotool key Return
zaehle wieder "$sinus" "(( n >= 6 ))"

# One wheel notch over the curve at column 180 zooms about that point: the curve
# still runs through the pointer while it has left the other columns.
unterzeiger=$(zeilen "$sinus" | awk '$1 == 180')
read -r zc zr <<<"$unterzeiger"
xdotool mousemove $((px + zc)) $((py + zr)) click 4
zaehle rad "$sinus" "(( n <= 3 ))"; echo "wheel: $n columns on the old curve"
pruefe "the wheel zoomed the view" "(( n <= 3 ))"
n=$(echo "$zc $zr" | treffer rad)
pruefe "the point under the pointer stayed" "(( n == 1 ))"
xdotool key space
zaehle zurueck2 "$sinus" "(( n >= 6 ))"

# A drag with the middle button moves the picture.
xdotool mousemove $((px + 300)) $((py + 300)) mousedown 2
for s in 1 2 3 4; do xdotool mousemove $((px + 300 + s * 30)) $((py + 300 + s * 20)); sleep 0.05; done
xdotool mouseup 2
zaehle geschoben "$sinus" "(( n <= 3 ))"; echo "middle drag: $n columns on the old curve"
pruefe "the middle button moved the picture" "(( n <= 3 ))"
verschoben=$(zeilen "$sinus" | awk '{ print $1 + 120, $2 + 80 }' | treffer geschoben)
pruefe "the curve moved with the pointer" "(( verschoben >= 3 ))"  # 4 columns stay in the drawing
xdotool key space

# Value labels: point A at 23 and the integral of a steep line show their whole
# number. The options area starts 830 right of the drawing and 70 below its top.
ox=$((px + 830)); oy=$((py + 70))
xdotool mousemove $((px + 200)) $((py + 597 + 24)) click 1
xdotool key ctrl+a
xdotool type --delay 30 '1000000*x'
xdotool mousemove $((ox + 104)) $((oy + 256)) click 1   # ed_A
xdotool key ctrl+a
xdotool type --delay 30 '23'
xdotool mousemove $((ox + 20)) $((oy + 256)) click 1    # c_punktA
xdotool mousemove $((ox + 20)) $((oy + 342)) click 1    # c_integral
xdotool key Return
bild werte
# The rightmost dark pixel of a label's row right of its designed start.
rechtsrand() {  # $1: x, $2: y, $3: width, $4: height (options area)
  convert "$work/werte.png" -crop "$3x$4+$((ox + $1))+$((oy + $2))" -depth 8 txt:- |
    awk -F'[(),: ]+' 'NR > 1 && $3 < 100 && $4 < 100 && $5 < 100 && $1 + 0 > r { r = $1 + 0 } END { print r + 0 }'
}
r11=$(rechtsrand 145 250 75 13); r13=$(rechtsrand 104 335 116 13)
echo "value labels end at $((145 + r11)) and $((104 + r13)) in the options area"
pruefe "\"; 23000000 )\" is drawn whole right of the spinner" "(( 145 + r11 >= 200 && 145 + r11 < 220 ))"
pruefe "\"= 264500000\" is drawn whole" "(( 104 + r13 >= 160 ))"

# The About window from the last menu item, centred on the main window, and its
# title as designed, without the application's name appended.
xdotool mousemove $((X + 440)) $((Y + menue / 2)) click 1
about=""
for _ in $(seq 50); do
  about=$(xdotool search --onlyvisible --pid "$ppid_" 2>/dev/null | grep -vx "$fenster" | head -1)
  [[ -n $about ]] && break
  sleep 0.1
done
if [[ -n $about ]]; then
  titel=$(xdotool getwindowname "$about")
  pruefe "About title reads \"Около ...\" ($titel)" "[[ \"\$titel\" == 'Около ...' ]]"
  eval "$(xdotool getwindowgeometry --shell "$about" | sed 's/^/A_/')"
  dx=$(( (A_X + A_WIDTH / 2) - (X + WIDTH / 2) )); dy=$(( (A_Y + A_HEIGHT / 2) - (Y + HEIGHT / 2) ))
  pruefe "About centred on the main window (off by $dx,$dy)" "(( dx * dx <= 4 && dy * dy <= 4 ))"
  xdotool key Escape
  sleep 0.5
else
  pruefe "the About window opened" "false"
fi

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
