#!/usr/bin/env bash
# Installs what building and testing Reveilo needs on Debian 12, as root.
# Idempotent: when every package and the locale are present it returns at once.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest
  mingw-w64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix
  g++-mingw-w64-x86-64-win32 gcc-mingw-w64-x86-64-win32 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  wine wine32:i386 wine64
  libxml2-utils
  xvfb xauth x11-utils
  locales tzdata fonts-ipafont-gothic fonts-wine fonts-noto-cjk
  zip
  clang libclang-rt-14-dev
)

need_root() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: run as root (apt-get and locale-gen need it)" >&2
    exit 1
  fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

# ja_JP for every Wine run (code page 932); fr_FR for the run whose batch
# must be written in the console's code page (ANSI 1252, OEM 850).
locales=(ja_JP fr_FR)
locale_ok=1
for l in "${locales[@]}"; do
  locale -a 2>/dev/null | grep -qix "$l.utf8" || locale_ok=0
done

if [ ${#missing[@]} -eq 0 ] && [ $locale_ok -eq 1 ]; then
  exit 0
fi

need_root
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
if [ $locale_ok -eq 0 ]; then
  for l in "${locales[@]}"; do
    sed -i "s/^# *$l.UTF-8 UTF-8/$l.UTF-8 UTF-8/" /etc/locale.gen
    grep -q "^$l.UTF-8 UTF-8" /etc/locale.gen || echo "$l.UTF-8 UTF-8" >> /etc/locale.gen
  done
  locale-gen
fi
