# Sourced by the X tests: checks the tools, starts Xvfb on a free display from
# the range given, exports DISPLAY and stops the server (and the program in
# $ppid_) on exit. Arguments: the first and last display number, the log file.
anzeigestarten() {
  local tool n
  for tool in Xvfb xdotool import convert compare xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "missing $tool"; exit 77; }
  done
  anzeige=""
  for n in $(seq "$1" "$2"); do
    if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then anzeige=":$n"; break; fi
  done
  [[ -n $anzeige ]] || { echo "no free display"; exit 1; }
  xpid=""; ppid_=""
  trap aufraeumen EXIT
  Xvfb "$anzeige" -screen 0 1280x1024x24 -nolisten tcp >"$3" 2>&1 &
  xpid=$!
  export DISPLAY=$anzeige
  for _ in $(seq 300); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xdpyinfo >/dev/null 2>&1 || { echo "X server did not start"; exit 1; }
  unset QT_QPA_PLATFORM
}

aufraeumen() {
  [[ -n $ppid_ ]] && kill "$ppid_" 2>/dev/null
  [[ -n $xpid ]] && kill "$xpid" 2>/dev/null
  wait 2>/dev/null
}
