#!/usr/bin/env bash
# Installs every Debian package that building, running and testing ZUB Quillon needs.
# Runs apt-get only when something is missing, so repeated builds stay quick.
set -euo pipefail

packages=(
  cmake ninja-build g++ ccache pkg-config
  qt6-base-dev qt6-qpa-plugins libqt6printsupport6 qt6-webengine-dev
  libtidy-dev libcurl4-openssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 fonts-dejavu-core
  wamerican-large locales-all shared-mime-info
  poppler-utils
  libxslt1-dev
  python3 perl libjs-jquery fpc-source
  xvfb xauth desktop-file-utils libxcb1-dev libxcb-keysyms1-dev libxcb-xtest0-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" != 0 ]; then sudo=sudo; fi
  $sudo apt-get update
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
