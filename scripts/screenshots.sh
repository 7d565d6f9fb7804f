#!/usr/bin/env bash
# Runs Chimora under Xvfb (with openbox as window manager) and writes PNG
# screenshots for review:
#   main.png    the main window as it starts
#   about.png   the about window over it
#   opened.png  the main window after opening SOUNDFILE (only when given)
# usage: scripts/screenshots.sh [OUTDIR] [SOUNDFILE]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$here/screenshots}")
sound=${2:-}
exe="$here/build/app/chimora"
[ -x "$exe" ] || { echo "build first: $exe missing" >&2; exit 1; }
mkdir -p "$out"

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
cleanup() { kill "${app:-}" "${wm:-}" "$xvfb" 2>/dev/null || true; }
trap cleanup EXIT
sleep 1
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
"$exe" &
app=$!

window_of() {  # waits for a window by exact title
  for _ in $(seq 50); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  echo "no window titled $1" >&2
  return 1
}

main=$(window_of Chimora)
sleep 1
import -window "$main" "$out/main.png"
eval "$(xdotool getwindowgeometry --shell "$main")"
mx=$X my=$Y

# The about label sits at (60, 367) in the window.
xdotool mousemove $((mx + 68)) $((my + 373)) click 1
about=$(window_of 关于)
sleep 0.5
import -window root "$out/screen-about.png"
import -window "$about" "$out/about.png"
xdotool key --window "$about" alt+c
sleep 0.5

if [ -n "$sound" ]; then
  # OPEN sits at (26, 254); the file dialog takes a typed path.
  xdotool mousemove $((mx + 80)) $((my + 270)) click 1
  sleep 1.5
  xdotool type --delay 20 "$(realpath "$sound")"
  xdotool key Return
  sleep 3
  import -window "$main" "$out/opened.png"
fi
echo "screenshots in $out"
