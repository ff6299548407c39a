#!/bin/sh
# The probe's zahltext pads to the widths a label can use and refuses wider ones
# with an error instead of filling memory with blanks.
probe="$1"
antwort=$(printf '%s\n' \
  '{"op":"zahltext","width":6,"decimals":3,"x":0.5}' \
  '{"op":"zahltext","width":1000,"decimals":3,"x":0.5}' \
  '{"op":"zahltext","width":2000000000,"decimals":2,"x":1}' \
  '{"op":"zahltext","width":1001,"decimals":2,"x":1}' \
  '{"op":"zahltext","width":"4","decimals":2,"x":1}' | "$probe") || exit 1
echo "$antwort" | sed -n 1p | grep -qx '{"text":" 0,5"}' || { echo "width 6: $antwort"; exit 1; }
[ "$(echo "$antwort" | sed -n 2p | wc -c)" -eq 1010 ] || { echo "width 1000 not padded"; exit 1; }
[ "$(echo "$antwort" | sed -n '3,5p' | grep -c '"error"')" -eq 3 ] || { echo "wide widths: $antwort"; exit 1; }
