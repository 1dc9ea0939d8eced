#!/usr/bin/env bash
# Shared by ./test and ./run: installs the Debian packages the build needs
# (only when one is missing) and builds everything into build/.
set -euo pipefail

packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev
  qt6-translations-l10n   # Qt's own texts in Russian: standard buttons, file dialogs
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools   # lupdate and lrelease: the English translation
  libhidapi-dev libemf2svg-dev libjpeg-dev
  libgtest-dev libbenchmark-dev
  libpugixml-dev libxml2-dev   # the peers the benchmarks measure against
  # The Debian package and the checks of its desktop files: dependencies
  # from dpkg-shlibdeps, the AppStream and desktop entry validators, the
  # MIME database the file type test builds.
  dpkg-dev appstream desktop-file-utils shared-mime-info
  # The journeys (tests/journeys): the editor driven by real input on a
  # private X server with a window manager, screenshots of it.
  xvfb xauth xdotool openbox imagemagick x11-utils
)

install_missing_packages() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build_all() {
  local build_dir=$1; shift
  cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$build_dir" --parallel "$(nproc)"
}

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
