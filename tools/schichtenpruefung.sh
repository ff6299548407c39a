#!/usr/bin/env bash
# Dependencies point down: a file may include headers of its own folder and of the layers
# below it, never of a layer above or beside it. The core has no Qt at all; in plot/ only
# the canvas realisations may use it. Prints every offending include and fails on any.
set -euo pipefail
wurzel=${1:-$(dirname "$0")/..}
cd "$wurzel"

declare -A rang=([state]=0 [termeval]=1 [derive]=2 [analysis]=2 [plot]=3 [ui]=4)

# Which layer holds each header of the product.
declare -A heimat
for schicht in "${!rang[@]}"; do
  [[ -d $schicht ]] || continue
  while IFS= read -r kopf; do heimat[$(basename "$kopf")]=$schicht; done \
    < <(find "$schicht" -name '*.h' -o -name '*.inc')
done

fehler=0
melden() { echo "$1: $2"; fehler=1; }

for schicht in "${!rang[@]}"; do
  [[ -d $schicht ]] || continue
  while IFS= read -r datei; do
    while IFS= read -r zeile; do
      name=${zeile#*\"}; name=${name%\"*}
      ziel=${heimat[$(basename "$name")]:-}
      [[ -z $ziel || $ziel == "$schicht" ]] && continue
      (( rang[$ziel] < rang[$schicht] )) || melden "$datei" "includes $name from $ziel/"
    done < <(grep -E '^\s*#\s*include\s*"' "$datei" || true)
    if (( rang[$schicht] <= 2 )) || [[ $schicht == plot && $(basename "$datei") != *canvas* ]]; then
      if grep -qE '^\s*#\s*include\s*<Q' "$datei"; then melden "$datei" "includes Qt"; fi
    fi
  done < <(find "$schicht" -name '*.cpp' -o -name '*.h')
done
# Within plot/, the pass's state lives in passzustand.h below its readers: no unit the
# pass calls includes the pass driver back.
for datei in plot/*.cpp plot/*.h; do
  [[ $(basename "$datei") == plotpass.* ]] && continue
  if grep -qE '^\s*#\s*include\s*"plotpass\.h"' "$datei"; then melden "$datei" "includes the pass driver plotpass.h"; fi
done

(( fehler == 0 )) && echo "layers point down"
exit "$fehler"
