#!/usr/bin/env bash
# Installs the Debian packages the build and tests need, only those missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  python3 gettext  # the texts' tables are made from the translations in po/
  libssl-dev openssl libglib2.0-dev libblkid-dev
  libgtest-dev googletest libbenchmark-dev
  nlohmann-json3-dev
  qt6-base-dev libqt6svg6 libxcb1-dev libxcb-ewmh-dev
  qt6-translations-l10n  # Qt's own texts in the dialogs' language
  qt6-l10n-tools  # lrelease, for the own words where Qt has no translation
  # the interface fonts of Debian, KDE and Fedora, GNOME, and Liberation, with
  # CJK: the tests choose among them themselves
  fonts-dejavu-core fonts-noto-core fonts-cantarell fonts-liberation2 fonts-noto-cjk
  xvfb xauth
  bindfs  # a FUSE file system without extended attributes, to save onto
  weston qt6-wayland  # the main job on a headless Wayland compositor
  # the real elevation stack the desktop test runs Brenhold on
  pkexec polkitd dbus-daemon dbus-bin xdotool x11-utils procps util-linux
  libglib2.0-bin  # gio launch, as launchers that start a program and exit do
  samba-common-bin  # testparm, which checks the Samba options Brenhold writes
  strace  # the order of a save's system calls
  # a player's card on vfat and exFAT under Debian's own kernel, which the
  # test fetches with apt-get download
  qemu-system-x86 busybox-static dosfstools exfatprogs mtools exfat-fuse
  libnm-dev  # NetworkManager's client library: the computer's Wi-Fi networks
  network-manager  # the real NetworkManager the client is tested against
  at-spi2-core python3-pyatspi  # the dialogs as a screen reader reads them
  # the Debian packages (cpack) and the test of the installed result
  dpkg-dev file desktop-file-utils libxml2-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
