#!/usr/bin/env bash
# Takes a screenshot of a program of the sample disc in a virtual X screen.
#   scripts/screenshot.sh <program folder> <program> <output.png> [seconds] [screen WxH] [x,y ...]
# Each x,y after the screen size is a mouse click, two seconds apart, made
# once the wait is over; the picture is taken after the last.
# Example: scripts/screenshot.sh build/disc/product ./product docs/catalog.png 8 800x600 520,492
set -euo pipefail
folder=$1 program=$2 output=$(realpath -m "$3") wait=${4:-8} screen=${5:-800x600}
command -v Xvfb >/dev/null || { echo "needs Xvfb (scripts/setup.sh installs it)"; exit 1; }
shift $(( $# < 5 ? $# : 5 ))
clicks=("$@")
command -v import >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq imagemagick >/dev/null
if (( ${#clicks[@]} )); then
  command -v xdotool >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq xdotool >/dev/null
fi
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 "${screen}x24" -nolisten tcp &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
(cd "$folder" && DISPLAY=$display QTWEBENGINE_DISABLE_SANDBOX=1 "$program" >/dev/null 2>&1) &
app=$!
sleep "$wait"
for click in "${clicks[@]}"; do
  DISPLAY=$display xdotool mousemove "${click%,*}" "${click#*,}" click 1
  sleep 2
done
DISPLAY=$display import -window root "$output"
kill $app 2>/dev/null || true
echo "wrote $output"
