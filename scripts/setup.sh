#!/usr/bin/env bash
# Installs everything the build, the tests and the programs need, without
# prompts. Quick when all is already there.
set -euo pipefail
cd "$(dirname "$0")/.."

# The last line holds what the disc's programs need at run time; README.txt on
# the disc names the same packages for its users.
DEBIAN_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-webengine-dev qt6-multimedia-dev
  libgl-dev libfontconfig-dev zlib1g-dev
  libsqlite3-dev sqlite3
  mdbtools mdbtools-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-wqy-microhei
  xvfb xauth xdotool imagemagick libx11-dev libxext-dev libxtst-dev
  xdg-utils pulseaudio pulseaudio-utils
  xorriso ffmpeg nasm patchelf mmdebstrap curl squashfs-tools
  clang libclang-rt-dev
  nodejs
  libqt6webenginewidgets6 libqt6multimediawidgets6 libmdb3 libsqlite3-0
)

missing_packages() {
  local package
  for package in "${DEBIAN_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      echo "$package"
    fi
  done
}

mapfile -t missing < <(missing_packages)
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  if ! { $SUDO apt-get update -qq &&
         DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"; }; then
    echo "setup: could not install ${missing[*]}; run 'sudo apt-get install ${missing[*]}' with network access, then try again" >&2
    exit 1
  fi
  # A name that only another package provides is never reported installed and
  # would make every run install again.
  mapfile -t still_missing < <(missing_packages)
  if ((${#still_missing[@]})); then
    echo "setup: ${still_missing[*]} still not installed after apt-get; list the real package names in scripts/setup.sh" >&2
    exit 1
  fi
fi

# The sample disc's fonts come from Debian's font packages, unpacked by the
# build onto the disc only (not installed for the system).
FONT_PACKAGES=(fonts-liberation2 fonts-arphic-gkai00mp fonts-arphic-gbsn00lp)
mkdir -p .cache/debs
for package in "${FONT_PACKAGES[@]}"; do
  if ! compgen -G ".cache/debs/${package}_*.deb" >/dev/null; then
    (cd .cache/debs && { apt-get download -qq "$package" 2>/dev/null ||
      { $SUDO apt-get update -qq && apt-get download -qq "$package"; }; }) || {
      echo "setup: could not download $package; run 'apt-get download $package' in .cache/debs with network access" >&2
      exit 1
    }
  fi
done

# FFmpeg's source, for the decoder-only build of its libraries on the disc:
# the release Debian 12 ships, from Debian's archive.
FFMPEG_SOURCE=ffmpeg_5.1.9.orig.tar.xz
FFMPEG_SHA256=d9b593bb2ba93d4b50f74177e0cdcd41747e708596367deed0c30348a71dd176
mkdir -p .cache/src
if ! echo "$FFMPEG_SHA256  .cache/src/$FFMPEG_SOURCE" | sha256sum --check --status 2>/dev/null; then
  curl -sSfL -o ".cache/src/$FFMPEG_SOURCE.part" "http://deb.debian.org/debian/pool/main/f/ffmpeg/$FFMPEG_SOURCE" &&
    echo "$FFMPEG_SHA256  .cache/src/$FFMPEG_SOURCE.part" | sha256sum --check --status &&
    mv ".cache/src/$FFMPEG_SOURCE.part" ".cache/src/$FFMPEG_SOURCE" || {
    echo "setup: could not fetch $FFMPEG_SOURCE from deb.debian.org (or its checksum differs); check the network and try again" >&2
    exit 1
  }
fi

# The bare Debian 12 and 13 desktops the disc is tried on (make test-bare),
# made here while Debian's archive is reachable; the tests may run where it
# is not.
for suite in bookworm trixie; do
  $SUDO bash tests/disc/baresystem/make-root.sh "$suite" ".cache/bare-systems/$suite" disc/runtime/desktop-libraries.txt || {
    echo "setup: could not make the bare $suite system; check that deb.debian.org is reachable, then try again" >&2
    exit 1
  }
done

# The machine's Node.js may bring npm itself; Debian's npm only where it does not.
if ! command -v npm >/dev/null; then
  DEBIAN_FRONTEND=noninteractive ${SUDO:-} apt-get install -y -qq --no-install-recommends npm
fi

# npm packages, pinned by the committed lockfile.
if [ -f package-lock.json ]; then
  if [ ! -f node_modules/.package-lock.json ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
    npm ci --no-audit --no-fund --loglevel=error || {
      echo "setup: npm ci failed; check that the npm registry is reachable, then try again" >&2
      exit 1
    }
  fi
fi
