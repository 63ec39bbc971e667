#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the program need, when missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-14 libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev xvfb xauth fonts-dejavu-core fonts-liberation
  rtklib gpsd-clients
)
case "${1:-}" in
  --run)
    packages=(build-essential cmake ninja-build pkg-config qt6-base-dev fonts-dejavu-core
              fonts-liberation rtklib) ;;
  # scripts/package: a Release build packed by CPack (dpkg-shlibdeps needs dpkg-dev and
  # file), checked by lintian and desktop-file-validate.
  --package)
    packages=(build-essential cmake ninja-build pkg-config qt6-base-dev dpkg-dev file
              lintian desktop-file-utils) ;;
  # scripts/test-deb-in-chroot: a fresh Debian 12 to install the package into.
  --chroot)
    packages=(debootstrap debian-archive-keyring) ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
  sudo="sudo"
fi
$sudo apt-get -o DPkg::Lock::Timeout=300 update
DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=300 install -y \
  --no-install-recommends "${missing[@]}"
