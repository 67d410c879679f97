#!/usr/bin/env bash
# Installs what building, running and testing ClickPocket needs on Debian 12, as root.
# Safe to run again: it only installs what is missing.
#
# A mirror in the middle of a sync can fail one index (often an i386 list) while the
# rest are fine, so a partial `apt-get update` does not end the set-up: it is retried,
# then whatever can be installed is installed. The 32-bit Wine packages must match
# the 64-bit libraries already on the machine, which a half-updated index can
# prevent; without them `make test` tests the x86_64 build (tools/test-arch.sh).
# The script fails only when something that the build and the tests need is missing.
set -uo pipefail

# Needed on every host: both cross compilers (both builds ship), the 64-bit Wine
# that tests the x86_64 build, the display, the hands and the eyes of the tests.
required=(cmake make g++ g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
          g++-mingw-w64-x86-64 wine64 xvfb xdotool x11-utils imagemagick googletest
          libgtest-dev zip wine)
# Wanted: the 32-bit loader, so that the shipped i686 build itself is tested.
optional=(wine32:i386)

update_tries=${CP_APT_UPDATE_TRIES:-3}
update_pause=${CP_APT_UPDATE_PAUSE:-10}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

missing_of() {
  local p
  for p in "$@"; do installed "$p" || printf '%s\n' "$p"; done
}

mapfile -t missing_required < <(missing_of "${required[@]}")
mapfile -t missing_optional < <(missing_of "${optional[@]}")
# ImageMagick's convert may be a stand-in on some images; the real one lives in /usr/bin.
[ -x /usr/bin/convert ] || missing_required+=(imagemagick)
[ ${#missing_required[@]} -eq 0 ] && [ ${#missing_optional[@]} -eq 0 ] && exit 0

# Once 32-bit Wine could not be had, every make would wait on apt again: try again
# only after a day (or after `make clean`).
stamp=${CP_DEPS_STAMP:-build/.wine32-unavailable}
if [ ${#missing_required[@]} -eq 0 ] && [ -n "$(find "$stamp" -mmin -1440 2>/dev/null)" ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing_required[*]} ${missing_optional[*]}" >&2
  echo "Run as root (or: sudo $0) to install them." >&2
  [ ${#missing_required[@]} -eq 0 ] && exit 0    # the x86_64 build can still be tested
  exit 1
fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# apt-get update answers 100 when any index failed, also when all others were read.
for try in $(seq 1 "$update_tries"); do
  if apt-get update -qq >"$log" 2>&1; then
    break
  fi
  if [ "$try" -lt "$update_tries" ]; then
    echo "apt-get update failed (try $try of $update_tries); retrying in ${update_pause}s" >&2
    sleep "$update_pause"
  else
    echo "apt-get update failed for some indexes; installing from what could be read:" >&2
    grep -E '^(E|W):' "$log" | head -n 4 | sed 's/^/  /' >&2
  fi
done

install() {
  apt-get install -y -qq --no-install-recommends "$@" >"$log" 2>&1
}

# Everything needed first, on its own, so that a 32-bit package that cannot be had
# does not hold the rest back.
[ ${#missing_required[@]} -eq 0 ] || install "${missing_required[@]}"

mapfile -t still_missing < <(missing_of "${required[@]}")
[ -x /usr/bin/convert ] || still_missing+=(imagemagick)
if [ ${#still_missing[@]} -ne 0 ]; then
  echo "Cannot install what the build and the tests need: ${still_missing[*]}" >&2
  grep -E '^E:' "$log" | head -n 6 | sed 's/^/  apt: /' >&2
  exit 1
fi

if [ ${#missing_optional[@]} -ne 0 ] && ! install "${missing_optional[@]}"; then
  reason=$(grep -E '^E:' "$log" | head -n 1)
  echo "32-bit Wine could not be installed (${reason:-apt-get failed}); make test will test the x86_64 build." >&2
  mkdir -p "$(dirname "$stamp")" && touch "$stamp"
fi
exit 0
