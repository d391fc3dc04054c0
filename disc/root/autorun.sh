#!/bin/sh
# Started by the desktop (after it asks the user) when the disc is mounted,
# or by hand. It first checks that this machine can run the disc's programs:
# a desktop started from the disc shows nobody its error output, so what is
# missing is said in a dialog (zenity, kdialog or xmessage, whichever the
# desktop has) as well as on the error output. The start program finds its
# media from its own folder, so it is started from the disc's root wherever
# this script was called from.
cd "$(dirname "$0")" || exit 1
disc=$(pwd)

tell() {
    echo "$1" >&2
    [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || return 0
    if command -v zenity >/dev/null 2>&1; then zenity --error --no-markup --no-wrap --title="书目光盘 Book catalog disc" --text="$1"
    elif command -v kdialog >/dev/null 2>&1; then kdialog --title "书目光盘 Book catalog disc" --error "$1"
    elif [ -n "${DISPLAY:-}" ] && command -v xmessage >/dev/null 2>&1; then xmessage -center "$1"
    fi 2>/dev/null
}

if [ ! -x ./play ]; then
    tell "The start program 'play' is not on this disc ($disc); see README.txt.
本光盘上没有启动程序 play（$disc），请参阅 README.txt。"
    exit 1
fi

# What the machine lacks, one paragraph (English, then Chinese) each.
problems=""
lacks() {
    problems="$problems$1

"
}

machine=$(uname -m)
if [ "$machine" != x86_64 ]; then
    lacks "The disc's programs run on 64-bit PC processors (x86-64, also called amd64); this machine has $machine.
本光盘的程序需要 64 位 PC 处理器（x86-64，即 amd64），本机的处理器为 $machine。"
fi

# (A platform that draws into memory, for tests and measures, needs none.)
case ${QT_QPA_PLATFORM:-} in offscreen* | minimal*) display=none ;; *) display=${DISPLAY:-} ;; esac
if [ -z "$display" ]; then
    if [ -n "${WAYLAND_DISPLAY:-}" ]; then
        lacks "The disc's programs show their windows through X11: this Wayland desktop runs no XWayland. Turn XWayland on, or log in to an X11 session.
本光盘的程序通过 X11 显示窗口，而此 Wayland 桌面没有运行 XWayland。请启用 XWayland，或登录 X11 桌面会话。"
    else
        lacks "The disc's programs need a graphical desktop (no display is set: DISPLAY is empty). Start the disc from your desktop.
本光盘的程序需要图形桌面（未设置显示：DISPLAY 为空）。请在桌面中启动光盘。"
    fi
fi

libc=$(getconf GNU_LIBC_VERSION 2>/dev/null)
libc=${libc#glibc }
major=${libc%%.*}
minor=${libc#*.}
minor=${minor%%.*}
case $major$minor in
    '' | *[!0-9]*) old=yes ;;
    *) if [ "$major" -lt 2 ] || { [ "$major" -eq 2 ] && [ "$minor" -lt 36 ]; }; then old=yes; else old=no; fi ;;
esac
if [ "$old" = yes ]; then
    lacks "The disc's programs need the GNU C library 2.36 or newer (Debian 12, Ubuntu 22.10, Fedora 37 and later have it); this machine has ${libc:-none}.
本光盘的程序需要 GNU C 库 2.36 或更新版本（Debian 12、Ubuntu 22.10、Fedora 37 及以后的版本都有）；本机为 ${libc:-无}。"
fi

# Says what the machine lacks and ends.
refuse() {
    tell "This disc cannot run on this machine. 本光盘无法在此计算机上运行。

${problems}See README.txt on the disc. 请参阅光盘上的 README.txt。"
    exit 1
}

[ -z "$problems" ] || refuse

# The loader would end play before it could say a word where a library the
# disc takes from the desktop (runtime/desktop-libraries.txt) is missing.
# Asked about play alone, it reads nothing play does not read next; only then
# is every program and plugin of the disc looked at, to name all it lacks.
linkable() { ldd "$@" 2>&1 | sed -n -e 's/^[[:space:]]*\([^[:space:]]*\) => not found$/\1/p' \
    -e "s/.*version \`\\([^']*\\)' not found.*/\\1/p"; }
if [ -d runtime/lib ] && [ -n "$(linkable ./play)" ]; then
    missing=$(for file in play web-controls.so product/product product/reader product/jetcopy \
        runtime/plugins/*/*.so runtime/libexec/QtWebEngineProcess; do
        [ -f "$file" ] && LD_LIBRARY_PATH="$disc/runtime/lib" linkable "$file"
    done | sort -u)
    packages=$(for name in $missing; do
        awk -v name="$name" '$1 == name { print $2 }' runtime/desktop-libraries.txt 2>/dev/null
    done | sort -u | tr '\n' ' ')
    names=$(echo "$missing" | tr '\n' ' ')
    lacks "This desktop lacks libraries that the disc's programs take from it: $names
(on Debian and Ubuntu they come with the packages: ${packages:-see README.txt})
此桌面缺少本光盘程序所需的系统库：$names
（在 Debian 和 Ubuntu 中，它们由这些软件包提供：${packages:-参见 README.txt}）"
    refuse
fi
exec ./play "$@"
