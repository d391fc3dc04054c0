#!/usr/bin/env bash
# build-ffmpeg.sh <source tarball> <output folder>
# Builds the FFmpeg libraries the disc carries for Qt Multimedia: the same
# release and interface as Debian 12's (libavcodec.so.59 and the rest), but
# with decoders, demuxers and parsers only, of the formats a disc's movies
# and sounds come in, and no outside codec library. Debian's build of them
# needs some 110 MB of codec libraries a disc never uses.
# The output holds the libraries under their sonames and FFmpeg's licence.
set -euo pipefail
if [ $# -ne 2 ]; then
    echo "usage: build-ffmpeg.sh <source tarball> <output folder>" >&2
    exit 2
fi
tarball=$(realpath "$1") output=$2
mkdir -p "$output"
output=$(realpath "$output")
# Several build trees may share the output; one builds, the others wait.
exec 9>"$output/.lock"
flock 9
[ -f "$output/.built" ] && [ "$output/.built" -nt "$tarball" ] && [ "$output/.built" -nt "$0" ] && exit 0

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tar -xf "$tarball" -C "$work"
source=$(echo "$work"/ffmpeg-*)
compiler=gcc
command -v ccache >/dev/null && compiler="ccache gcc"

# No WMV 3 decoder: Qt Multimedia 6.4 lists its file formats from FFmpeg's
# muxers, and with a WMV 3 decoder but no muxer its plugin indexes an empty
# list and crashes.
video=mpeg4,msmpeg4v1,msmpeg4v2,msmpeg4v3,h263,h264,hevc,mpeg1video,mpeg2video,mjpeg,vp8,vp9,theora
video=$video,wmv1,wmv2,vc1,cinepak,msvideo1,rawvideo,png,gif
audio=pcm_s16le,pcm_s16be,pcm_u8,pcm_s24le,pcm_s32le,pcm_f32le,pcm_alaw,pcm_mulaw,adpcm_ms,adpcm_ima_wav
audio=$audio,mp3,mp3float,mp2,mp2float,aac,ac3,eac3,vorbis,opus,flac,wmav1,wmav2,alac
demuxers=avi,wav,mov,matroska,mpegps,mpegts,asf,ogg,mp3,flac,aac,ac3,h264,hevc,m4v,mpegvideo
parsers=mpeg4video,h264,hevc,mpegvideo,mpegaudio,aac,ac3,vorbis,opus,flac,vp8,vp9,mjpeg,png
(
    cd "$work"
    "$source/configure" --prefix="$work/installed" --cc="$compiler" \
        --enable-shared --disable-static --disable-programs --disable-doc --disable-debug \
        --disable-everything --disable-autodetect --disable-network \
        --disable-avdevice --disable-avfilter --disable-postproc --enable-zlib \
        --enable-decoder="$video,$audio" --enable-demuxer="$demuxers" --enable-parser="$parsers" \
        --enable-protocol=file >configure.log 2>&1 || { tail -n 20 configure.log >&2; exit 1; }
    make -j"$(nproc)" >make.log 2>&1 || { tail -n 40 make.log >&2; exit 1; }
    make install >>make.log 2>&1
)
rm -f "$output"/lib*.so.*
for library in "$work"/installed/lib/lib*.so.*.*; do
    soname=$(objdump -p "$library" | awk '/SONAME/ {print $2}')
    [ -e "$output/$soname" ] && continue
    cp "$library" "$output/$soname"
    strip --strip-unneeded "$output/$soname"
done
cp "$source/LICENSE.md" "$source/COPYING.LGPLv2.1" "$output/"
touch "$output/.built"
