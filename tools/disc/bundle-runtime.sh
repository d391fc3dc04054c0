#!/usr/bin/env bash
# bundle-runtime.sh <disc folder> <desktop libraries list> <FFmpeg library folder>
# Puts on the disc what its programs need at run time beyond what the list
# names as the desktop's own: the shared libraries they, the web engine's
# helper process and the Qt plugins they load need (runtime/lib), those
# plugins (runtime/plugins), the helper (runtime/libexec), the web engine's
# resources and two of its locales, each package's licence (runtime/licenses)
# and a qt.conf beside each program that points Qt there. The programs find
# runtime/lib through their own run path ($ORIGIN-relative, linked in);
# libraries and plugins through the program's run path, which the loader
# applies to everything a program loads. FFmpeg is our own decoder-only
# build. Run again, it copies only what changed.
set -euo pipefail
if [ $# -ne 3 ]; then
    echo "usage: bundle-runtime.sh <disc folder> <desktop libraries list> <FFmpeg library folder>" >&2
    exit 2
fi
disc=$(realpath "$1") list=$2 ffmpeg=$(realpath "$3")
runtime=$disc/runtime
qt_plugins=/usr/lib/x86_64-linux-gnu/qt6/plugins
helper=/usr/lib/qt6/libexec/QtWebEngineProcess
web_resources=/usr/share/qt6/resources
web_locales=/usr/share/qt6/translations/qtwebengine_locales
plugins=(platforms/libqxcb.so platforms/libqoffscreen.so
  xcbglintegrations/libqxcb-glx-integration.so xcbglintegrations/libqxcb-egl-integration.so
  imageformats/libqjpeg.so imageformats/libqgif.so
  platforminputcontexts/libcomposeplatforminputcontextplugin.so
  platforminputcontexts/libibusplatforminputcontextplugin.so
  multimedia/libffmpegmediaplugin.so)
# NSS loads its cryptographic module by name at run time.
loaded_by_name=(libsoftokn3.so libfreeblpriv3.so)

declare -A from_desktop package_of_soname
while read -r soname package _; do
    from_desktop[$soname]=$package
done < <(grep -Ev '^(#|group:|why:|$)' "$list")

# Where the build machine's loader finds a library name.
declare -A system_path
while read -r soname path; do
    [ -n "${system_path[$soname]:-}" ] || system_path[$soname]=$path
done < <(ldconfig -p | awk '/x86-64/ {print $1, $NF}')
for file in "$ffmpeg"/lib*.so.*; do
    soname=$(objdump -p "$file" | awk '/SONAME/ {print $2}')
    system_path[$soname]=$file
done

needed() { objdump -p "$1" | awk '/NEEDED/ {print $2}'; }

# Copies `source` to `target` unless it is there already, byte for byte.
copy() {
    local source=$1 target=$2
    if ! cmp -s "$source" "$target"; then
        mkdir -p "$(dirname "$target")"
        cp --dereference "$source" "$target.part"
        mv "$target.part" "$target"
    fi
}

# The closure of what the roots need, without the desktop's libraries and
# what only they need.
declare -A carried
queue=()
walk() {
    local soname
    for soname in $(needed "$1"); do
        [ -n "${from_desktop[$soname]:-}" ] && continue
        [ -n "${carried[$soname]:-}" ] && continue
        local path=${system_path[$soname]:-}
        if [ -z "$path" ]; then
            echo "bundle-runtime: $1 needs $soname, which this machine does not have" >&2
            exit 1
        fi
        carried[$soname]=$(readlink -f "$path")
        queue+=("${carried[$soname]}")
    done
}
programs=()
while IFS= read -r -d '' file; do
    [ "$(head -c 4 "$file" | tr -d '\0')" = $'\177ELF' ] && programs+=("$file")
done < <(find "$disc" -path "$runtime" -prune -o -type f -print0)
roots=("${programs[@]}" "$helper")
for plugin in "${plugins[@]}"; do roots+=("$qt_plugins/$plugin"); done
for soname in "${loaded_by_name[@]}"; do
    carried[$soname]=$(readlink -f "${system_path[$soname]}")
    roots+=("${carried[$soname]}")
done
for root in "${roots[@]}"; do walk "$root"; done
while ((${#queue[@]})); do
    next=${queue[0]}
    queue=("${queue[@]:1}")
    walk "$next"
done

# What is there from an earlier run and no longer needed goes.
if [ -d "$runtime/lib" ]; then
    for file in "$runtime"/lib/*; do
        [ -n "${carried[$(basename "$file")]:-}" ] || rm -f "$file"
    done
fi
for soname in "${!carried[@]}"; do copy "${carried[$soname]}" "$runtime/lib/$soname"; done
for plugin in "${plugins[@]}"; do copy "$qt_plugins/$plugin" "$runtime/plugins/$plugin"; done
# Not the developer tools' resources (7.6 MB): nothing on the disc opens them.
for pak in "$web_resources"/qtwebengine_resources{,_100p,_200p}.pak; do
    copy "$pak" "$runtime/resources/$(basename "$pak")"
done
for locale in en-US zh-CN; do copy "$web_locales/$locale.pak" "$runtime/translations/qtwebengine_locales/$locale.pak"; done

# The helper process is Debian's: a copy of it gets the run path our
# programs are linked with.
mkdir -p "$runtime/libexec"
cp "$helper" "$runtime/libexec/QtWebEngineProcess.patched"
patchelf --force-rpath --set-rpath '$ORIGIN/../lib' "$runtime/libexec/QtWebEngineProcess.patched"
copy "$runtime/libexec/QtWebEngineProcess.patched" "$runtime/libexec/QtWebEngineProcess"
rm "$runtime/libexec/QtWebEngineProcess.patched"
# The helper looks for the locales beside itself, and makes that folder when
# it is missing.
[ -L "$runtime/libexec/locales" ] || { rm -rf "$runtime/libexec/locales"; ln -s ../translations/qtwebengine_locales "$runtime/libexec/locales"; }

# Qt's paths, relative to each program's folder.
write_qt_conf() {
    local folder=$1 prefix=$2
    local conf
    conf=$(printf '[Paths]\nPrefix=%s\nLibraries=lib\nLibraryExecutables=libexec\nPlugins=plugins\nData=.\nTranslations=translations\n' "$prefix")
    [ "$(cat "$folder/qt.conf" 2>/dev/null)" = "$conf" ] || printf '%s\n' "$conf" >"$folder/qt.conf"
}
for program in "${programs[@]}"; do
    [ -x "$program" ] || continue
    folder=$(dirname "$program")
    write_qt_conf "$folder" "$(realpath --relative-to="$folder" "$runtime")"
done
write_qt_conf "$runtime/libexec" ..

# Each package's licence, under the package's name.
declare -A packages
for path in "${carried[@]}" "$helper" "${plugins[@]/#/$qt_plugins/}"; do
    case $path in "$ffmpeg"/*) continue ;; esac
    package=$({ dpkg -S "$path" 2>/dev/null || dpkg -S "${path#/usr}" 2>/dev/null; } | head -n 1)
    [ -n "$package" ] || {
        echo "bundle-runtime: no package owns $path" >&2
        exit 1
    }
    package=${package%%:*}
    packages[$package]=1
done
for package in "${!packages[@]}"; do
    copy "/usr/share/doc/$package/copyright" "$runtime/licenses/$package.txt"
done
copy "$ffmpeg/LICENSE.md" "$runtime/licenses/ffmpeg.txt"
copy "$ffmpeg/COPYING.LGPLv2.1" "$runtime/licenses/ffmpeg-COPYING.LGPLv2.1.txt"
copy "$list" "$runtime/desktop-libraries.txt"

# What the start program reads ahead while its intros play (one file or
# folder a line, relative to the disc's root): the web part it loads for its menu, the
# libraries that part needs beyond the program's own, the web engine's
# helper and resources, the player engine and the menu's movie and sound.
closure() {
    local -A seen=()
    local pending=("$1") file soname
    while ((${#pending[@]})); do
        file=${pending[0]}
        pending=("${pending[@]:1}")
        for soname in $(needed "$file"); do
            [ -n "${carried[$soname]:-}" ] && [ -z "${seen[$soname]:-}" ] || continue
            seen[$soname]=1
            echo "$soname"
            pending+=("${carried[$soname]}")
        done
    done
}
if [ -f "$disc/play" ] && [ -f "$disc/web-controls.so" ]; then
    {
        echo "web-controls.so"
        comm -13 <(closure "$disc/play" | sort) <(closure "$disc/web-controls.so" | sort) | sed 's|^|runtime/lib/|'
        printf '%s\n' runtime/libexec/QtWebEngineProcess runtime/resources runtime/translations/qtwebengine_locales \
            ruffle Mov/media.swf sounds/back.wav
    } >"$runtime/read-ahead.txt.part"
    mv "$runtime/read-ahead.txt.part" "$runtime/read-ahead.txt"
fi
