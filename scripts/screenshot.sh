#!/usr/bin/env bash
# Takes a screenshot of a program of the sample disc in a virtual X screen.
#   scripts/screenshot.sh <program folder> <program> <output.png> [seconds] [screen WxH]
# Example: scripts/screenshot.sh build/disc/product ./product docs/catalog.png 8
set -euo pipefail
folder=$1 program=$2 output=$(realpath -m "$3") wait=${4:-8} screen=${5:-800x600}
command -v Xvfb >/dev/null || { echo "needs Xvfb (scripts/setup.sh installs it)"; exit 1; }
command -v import >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq imagemagick >/dev/null
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 "${screen}x24" -nolisten tcp &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
(cd "$folder" && DISPLAY=$display QTWEBENGINE_DISABLE_SANDBOX=1 "$program" >/dev/null 2>&1) &
app=$!
sleep "$wait"
DISPLAY=$display import -window root "$output"
kill $app 2>/dev/null || true
echo "wrote $output"
