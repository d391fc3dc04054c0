#!/bin/sh
# Started by the desktop (after it asks the user) when the disc is mounted,
# or by hand. The start program finds its media from its own folder, so it
# is started from the disc's root wherever this script was called from.
cd "$(dirname "$0")" || exit 1
if [ ! -x ./play ]; then
    message="The start program 'play' is not on this disc ($(pwd)); see README.txt.
本光盘上没有启动程序 play（$(pwd)），请参阅 README.txt。"
    echo "$message" >&2
    # Started from the desktop, nobody sees the error output.
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        if command -v zenity >/dev/null; then zenity --error --no-markup --no-wrap --text="$message"
        elif command -v kdialog >/dev/null; then kdialog --error "$message"
        fi 2>/dev/null
    fi
    exit 1
fi
exec ./play "$@"
