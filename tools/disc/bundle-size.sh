#!/usr/bin/env bash
# bundle-size.sh <disc folder>
# Measures, without building anything, what the disc would have to carry to
# run on a Debian 12 desktop without the packages scripts/setup.sh installs:
# the shared libraries of the disc's programs, of the web engine's helper
# process and of the Qt plugins they load, and the web engine's resources.
# A library counts as already there when its package is in the dependency
# closure of Debian's GNOME desktop task (an upper bound: the closure takes
# every alternative).
set -euo pipefail
disc=${1:?usage: bundle-size.sh <disc folder>}
qt=/usr/lib/x86_64-linux-gnu/qt6
helper=/usr/lib/qt6/libexec/QtWebEngineProcess
plugins=("$qt"/plugins/platforms/libqxcb.so "$qt"/plugins/xcbglintegrations/*.so
  "$qt"/plugins/imageformats/libq{jpeg,gif}.so "$qt"/plugins/platforminputcontexts/*.so
  "$qt"/plugins/multimedia/libffmpegmediaplugin.so)
resources=(/usr/share/qt6/resources/*.pak
  /usr/share/qt6/translations/qtwebengine_locales/{en-US,zh-CN}.pak)
# The C library and the graphics driver stack come from the machine itself.
system_only='/(libc|libm|libdl|libpthread|librt|libresolv|ld-linux-x86-64|libGL|libEGL|libGLX|libGLdispatch|libOpenGL|libgbm|libdrm)[.-]'

programs=()
while IFS= read -r -d '' file; do
  [ "$(head -c 4 "$file" | od -An -c | tr -d ' ')" = '177ELF' ] && programs+=("$file")
done < <(find "$disc" -type f -perm -u+x -print0)

libraries=$(for elf in "${programs[@]}" "$helper" "${plugins[@]}"; do
  ldd "$elf" | awk '/=> \//{print $3}'
done | xargs -r readlink -f | sort -u | grep -Ev "$system_only")

desktop=$(mktemp)
trap 'rm -f "$desktop"' EXIT
apt-cache depends --recurse --no-suggests --no-conflicts --no-breaks --no-replaces --no-enhances \
  task-gnome-desktop | grep -v '^ ' | sort -u >"$desktop"

megabytes() { awk '{s += $1} END {printf "%.1f MB in %d files", s / 1e6, NR}'; }
sizes() { xargs -r stat -c %s; }

# Each library's package, asked of dpkg in one go; merged /usr makes some
# libraries known under /lib.
declare -A package_of
while read -r line; do
  package=${line%%: *} path=${line#*: }
  package=${package%%,*}
  [ -e "$path" ] && package_of[$(readlink -f "$path")]=${package%%:*}
done < <(dpkg -S $(sed 's|^/usr||' <<<"$libraries") $libraries 2>/dev/null || true)
missing=()
while read -r library; do
  grep -qx "${package_of[$library]:-}" "$desktop" || missing+=("$library")
done <<<"$libraries"

echo "programs on the disc: ${programs[*]#"$disc"/}"
echo "their shared libraries (without the C library and graphics drivers): $(sizes <<<"$libraries" | megabytes)"
echo "  not on a GNOME desktop: $(printf '%s\n' "${missing[@]}" | sizes | megabytes)"
echo "  those:"
for library in "${missing[@]}"; do
  echo "$(stat -c %s "$library") $library ${package_of[$library]:-}"
done | sort -rn | awk '{printf "    %6.1f MB %s (%s)\n", $1 / 1e6, $2, $3}'
echo "web engine helper process: $(stat -c %s "$helper" | megabytes)"
echo "Qt plugins: $(printf '%s\n' "${plugins[@]}" | sizes | megabytes)"
echo "web engine resources (two locales): $(printf '%s\n' "${resources[@]}" | sizes | megabytes)"
bundle=$( { printf '%s\n' "${missing[@]}" "$helper" "${plugins[@]}" "${resources[@]}"; } )
echo "to carry: $(sizes <<<"$bundle" | megabytes)"
echo "  compressed (gzip -6, as zisofs would roughly): $(tar -cf - -P $bundle 2>/dev/null | gzip -6 | wc -c |
  awk '{printf "%.1f MB", $1 / 1e6}')"
