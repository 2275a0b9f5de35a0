#!/usr/bin/env bash
# Installs the Debian packages the project builds, runs and tests with.
# Idempotent: packages already present are left alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n
  libqt6sql6-sqlite libqt6sql6-psql libqt6opengl6-dev qt6-pdf-dev
  libsqlite3-dev sqlite3
  postgresql postgresql-client libpq-dev
  libarchive-dev p7zip-full libxml2-utils libexpat1-dev
  libgtest-dev libgmock-dev
  libsane-dev libsane1 sane-utils xdg-utils
  fonts-dejavu-core
  python3
  clang-16 libclang-rt-16-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
