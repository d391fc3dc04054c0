#!/usr/bin/env bash
# disc-image.sh <disc_layout program> <layout file> <disc folder> <image file>
# Writes an ISO 9660 image of the assembled disc once it holds everything its
# layout names: Rock Ridge keeps the run bits (rationalised: owned by root,
# readable by all, nothing writable), Joliet keeps long mixed-case names for
# systems without Rock Ridge. The programs go on it without their debugging
# information and symbols, which only the build tree needs; every file goes
# on it compressed.
set -eu
if [ $# -ne 4 ]; then
    echo "usage: disc-image.sh <disc_layout program> <layout file> <disc folder> <image file>" >&2
    exit 2
fi
checker=$1 layout=$2 disc=$3 image=$4
command -v xorriso >/dev/null || { echo "disc-image: needs xorriso (scripts/setup.sh installs it)" >&2; exit 1; }
"$checker" "$layout" "$disc"
mkdir -p "$(dirname "$image")"
# Written under another name first, so a failed run never leaves an image
# that looks finished.
rm -f "$image" "$image.part"
stage="$image.root"
trap 'rm -rf "$stage"' EXIT
rm -rf "$stage"
cp -a "$disc" "$stage"
elf=$(printf '\177ELF')
find "$stage" -type f -perm -u+x | while IFS= read -r file; do
    # Kept as it is where stripping gains nothing (a library already
    # stripped, whose run path was rewritten, would grow).
    if [ "$(head -c 4 "$file" | tr -d '\0')" = "$elf" ]; then
        strip --strip-unneeded -o "$file.stripped" "$file"
        if [ "$(wc -c <"$file.stripped")" -lt "$(wc -c <"$file")" ]; then mv "$file.stripped" "$file"; else rm "$file.stripped"; fi
    fi
done
# What the disc holds twice (the fonts beside each program) is written once:
# the image records hard links as one file's content.
find "$stage" -type f -size +64k -print0 | xargs -0 md5sum | sort |
    while read -r sum file; do
        if [ "$sum" = "${previous:-}" ]; then ln -f "$first" "$file"; else previous=$sum first=$file; fi
    done
# Every file goes on the image compressed (zisofs: zlib in 32 KiB blocks,
# which Linux reads transparently): a CD drive delivers 3.6 MB/s, and the
# runtime's libraries shrink to some 40% of their size.
xorriso -as mkisofs -quiet -r -J -V BOOK_CATALOG -o "$image.part" "$stage" -- \
    -zisofs level=6:block_size=32k -set_filter_r --zisofs / --
mv "$image.part" "$image"
echo "disc-image: wrote $image ($(wc -c <"$image") bytes)"
