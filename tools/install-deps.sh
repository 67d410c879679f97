#!/usr/bin/env bash
# Installs what building, running and testing ClickPocket needs on Debian 12, as root.
# Safe to run again: it only installs what is missing.
set -euo pipefail

pkgs=(cmake make g++ g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
      g++-mingw-w64-x86-64 wine64
      wine wine32 xvfb xdotool x11-utils imagemagick googletest libgtest-dev zip)

missing=()
need_i386=0
for p in "${pkgs[@]}"; do
  q=$p; [ "$p" = wine32 ] && q=wine32:i386
  dpkg-query -W -f='${Status}' "$q" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# ImageMagick's convert may be a stand-in on some images; the real one lives in /usr/bin.
[ -x /usr/bin/convert ] || missing+=(imagemagick)
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run as root (or: sudo $0) to install them." >&2
  exit 1
fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
for i in "${!missing[@]}"; do [ "${missing[$i]}" = wine32 ] && missing[$i]=wine32:i386; done
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
