#!/usr/bin/env bash
# make-root.sh <suite> <root folder> <desktop libraries list>
# A bare desktop to run the disc on: Debian's minimal base system of <suite>
# (bookworm, trixie), an X server and the tools a test drives it with, the
# packages of the libraries the disc takes from the desktop, and an ordinary
# user "disc" (uid 2000); nothing of Qt, FFmpeg, ICU, mdbtools or CJK fonts.
# Made once from Debian's archive and kept; made again when the list or this
# script changes.
set -euo pipefail
if [ $# -ne 3 ]; then
    echo "usage: make-root.sh <suite> <root folder> <desktop libraries list>" >&2
    exit 2
fi
suite=$1 root=$2 list=$3
mkdir -p "$(dirname "$root")"
exec 9>"$root.lock"
flock 9
stamp=$root.made
if [ -f "$stamp" ] && [ "$stamp" -nt "$list" ] && [ "$stamp" -nt "$0" ]; then
    exit 0
fi
rm -rf "$root" "$stamp"
command -v mmdebstrap >/dev/null || { echo "make-root: needs mmdebstrap (scripts/setup.sh installs it)" >&2; exit 1; }
desktop=$(grep -Ev '^(#|group:|why:|$)' "$list" | awk '{print $2}' | sort -u | paste -sd, -)
# apt takes a package renamed since (libasound2t64 in Debian 13) under its
# old name, which the new one provides.
if ! mmdebstrap --quiet --variant=minbase \
    --include="xvfb,xauth,xdotool,libgl1-mesa-dri,fontconfig,$desktop" \
    --customize-hook='chroot "$1" useradd --create-home --uid 2000 --user-group disc' \
    "$suite" "$root" http://deb.debian.org/debian >"$root.log" 2>&1; then
    echo "make-root: could not make a $suite system from deb.debian.org (see $root.log): $(tail -n 1 "$root.log")" >&2
    rm -rf "$root"
    exit 1
fi
touch "$stamp"
