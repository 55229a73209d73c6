#!/usr/bin/env bash
# Installs whatever the build, the tests and the benchmarks need and is not
# there yet, from Debian's packages. Safe to run again: it only acts on gaps.
set -euo pipefail

packages=(
  # the Linux program and its tests
  build-essential
  cmake
  ninja-build  # make check-generators: every tree with Ninja too
  pkg-config
  qt6-base-dev
  qt6-base-dev-tools
  qt6-base-private-dev
  qt6-translations-l10n
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  libxcb1-dev
  libxcb-damage0-dev
  fonts-liberation
  fontconfig
  libfontconfig-dev
  xvfb
  xauth
  # the screen-reader tests: Orca, speaking through speech-dispatcher to a
  # silent device, on a private D-Bus session with AT-SPI, keys from xdotool
  dbus
  at-spi2-core
  orca
  speech-dispatcher
  xdotool
  # make lint
  clang-tidy
  # packaging and its checks
  dpkg-dev
  file
  desktop-file-utils
  appstream
  # the Windows program: cross compilers (64- and 32-bit), GoogleTest's
  # sources, 64-bit Wine to run the tests, wixl for the installer
  g++-mingw-w64-x86-64-posix
  g++-mingw-w64-i686-posix
  binutils-mingw-w64-x86-64
  binutils-mingw-w64-i686
  googletest
  wine64
  wixl
  msitools
  # the page: emscripten for the WebAssembly, and headless Chromium driven
  # through its WebDriver (JSON, pictures as PNG) to test it
  emscripten
  chromium
  chromium-driver
  nlohmann-json3-dev
  libpng-dev
  libglib2.0-dev
  # the shared page suites in Firefox ESR (WebDriver BiDi) and WebKitGTK
  # (classic WebDriver), both spoken through libsoup
  firefox-esr
  webkit2gtk-driver
  libsoup-3.0-dev
)
# npm, for a learning platform's runtime the page's tests play under (see
# the end); a Node.js from elsewhere that brings its own npm will do.
command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)

# A learning platform's SCORM runtime for the page's tests (scorm-again,
# its version and checksum in the lock file beside it), from the npm
# registry once; npm ci takes nothing else and runs none of its scripts.
install_platform_runtime() {
  local folder
  folder="$(dirname "$0")/../tests/platform/web/scorm-runtime"
  [ -f "$folder/node_modules/scorm-again/dist/scorm12.js" ] && return 0
  echo "install-deps: installing the SCORM runtime the page's tests use (npm ci)"
  (cd "$folder" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
}

# 32-bit Wine, for the 32-bit Windows program's tests, where this machine
# runs 32-bit programs at all (elsewhere those tests say why and are
# skipped); its packages come from the i386 architecture, added for them.
wine32=()
if "$(dirname "$0")/runs-i386.sh" >/dev/null; then
  dpkg-query -W -f='${Status}\n' wine32:i386 2>/dev/null | grep -q ' ok installed$' || wine32=(wine32:i386)
fi

# One query for all of them: what is installed, by name.
installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null \
  | awk '$NF == "installed" && $(NF-1) == "ok" { print $1 }' || true)
missing=()
for p in "${packages[@]}"; do
  grep -qxF "$p" <<<"$installed" || missing+=("$p")
done
missing+=("${wine32[@]}")
if [ ${#missing[@]} -eq 0 ]; then
  install_platform_runtime
  exit 0
fi

if ! command -v apt-get >/dev/null 2>&1; then
  echo "install-deps: apt-get not found; install these by hand: ${missing[*]}" >&2
  exit 1
fi

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "install-deps: missing ${missing[*]}; run as root or install sudo" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if [ ${#wine32[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${as_root[@]}" dpkg --add-architecture i386
fi
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
install_platform_runtime
