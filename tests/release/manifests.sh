#!/usr/bin/env bash
# make manifests on the archives of the builds under test, packed as make dist
# packs them: the winget and Scoop manifests of a good release carry the hashes
# of SHA256SUMS and pass every check; each bad input stops the target with one
# line and leaves no manifests/ (not even an older set); a manifest changed
# afterwards fails tools/manifests.py check.
# Usage: manifests.sh <source folder> <x86_64 build folder>
set -euo pipefail
src=$1 build=$2
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
url=https://releases.example/clickpocket/$version/
id=CorvellanInternational.ClickPocket
cr=$'\r'
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"
fail() { echo "FAIL: $*" >&2; exit 1; }
mk() { env -u MAKEFLAGS -u MAKELEVEL -u MFLAGS -u RELEASE_URL -u RELEASE make -s --no-print-directory -C "$src" "$@"; }
said() { grep -v '^make\(\[[0-9]*\]\)\?: \*\*\*' "$1" || true; }

"$src/tools/pack.sh" "$tmp/good" i686="$(dirname "$build")" x86_64="$build" >/dev/null
mk manifests RELEASE="$tmp/good" RELEASE_URL="$url" >log 2>&1 || { cat log; fail "make manifests"; }
[ "$(cd good/manifests && find . -type f | sort | xargs)" = \
  "./scoop/clickpocket.json ./winget/$id.installer.yaml ./winget/$id.locale.en-US.yaml ./winget/$id.yaml" ] ||
    fail "manifests: $(cd good/manifests && find . -type f | xargs)"
while read -r sum name; do
    grep -qx "  InstallerSha256: ${sum^^}" "good/manifests/winget/$id.installer.yaml" &&
        grep -qx "  InstallerUrl: $url$name" "good/manifests/winget/$id.installer.yaml" &&
        grep -qx "            \"hash\": \"$sum\"$cr" good/manifests/scoop/clickpocket.json || fail "$name: not its SHA256SUMS line"
done <good/SHA256SUMS
"$src/tools/manifests.py" check good "$url" || fail "the manifests of make manifests"
echo "make manifests: $(ls good/manifests/winget | xargs), clickpocket.json"

# Bad inputs: the change made to a copy of the release, and RELEASE_URL.
while IFS='|' read -r what change address expect; do
    rm -rf r && cp -r good r && (cd r && eval "$change")
    if mk manifests RELEASE="$tmp/r" RELEASE_URL="$address" >/dev/null 2>err; then fail "$what: manifests made"; fi
    [ "$(said err | wc -l)" = 1 ] && [[ $(said err) == "make manifests: "*"$expect"* ]] || fail "$what: $(said err)"
    [ ! -e r/manifests ] && [ -z "$(find r -name '.manifests.*')" ] || fail "$what: manifests were left"
    echo "$what: $(said err)"
done <<EOF
no address|:||RELEASE_URL is not set
an ftp address|:|ftp://releases.example/clickpocket/$version/|is not an https:// address
an http address|:|http://releases.example/clickpocket/$version/|is an http:// address
no folder|:|${url%/}|is not an https:// address
a query|:|${url}?from=site/|is not an https:// address
one address for every release|:|https://releases.example/clickpocket/latest/|names no folder of version $version
a missing archive|rm ClickPocket-$version-i686.zip|$url|no archive ClickPocket-$version-i686.zip
SHA256SUMS not matching|sed -i "s/^[0-9a-f]*\( *ClickPocket-$version-x86_64.zip\)$/$(printf x | sha256sum | cut -c1-64)\1/" SHA256SUMS|$url|ClickPocket-$version-x86_64.zip in $tmp/r does not match SHA256SUMS
an archive of another version|mv ClickPocket-$version-i686.zip ClickPocket-0.9.0-i686.zip|$url|ClickPocket-0.9.0-i686.zip in $tmp/r is no archive of version $version
an archive with a top folder|mkdir t && unzip -q *-i686.zip -d t/top && rm *-i686.zip && (cd t && zip -qr ../ClickPocket-$version-i686.zip top) && rm -r t && sha256sum *.zip >SHA256SUMS|$url|ClickPocket.exe is not a file at the root of ClickPocket-$version-i686.zip
EOF

# Manifests changed after make manifests: the check finds each change.
while IFS='|' read -r what file edit expect; do
    rm -rf r && cp -r good r && sed -i "$edit" "r/manifests/$file"
    if "$src/tools/manifests.py" check r "$url" 2>err; then fail "$what: passed"; fi
    [[ $(cat err) == "make manifests: manifests/$file: "*"$expect"* ]] || fail "$what: $(cat err)"
done <<EOF
manifest schema without ArchiveBinariesDependOnPath|winget/$id.yaml|s/1\.9\.0/1.6.0/|ManifestVersion: '1.9.0' was expected
the package folder not on PATH|winget/$id.installer.yaml|/ArchiveBinariesDependOnPath/d|'ArchiveBinariesDependOnPath' is a required property
the program in a folder|winget/$id.installer.yaml|s#RelativeFilePath: #RelativeFilePath: top/#|does not match
a hash of the other archive|winget/$id.installer.yaml|0,/InstallerSha256/s/InstallerSha256: .*/InstallerSha256: $(sha256sum good/*-x86_64.zip | cut -c1-64)/|is not its SHA-256
an address outside the release|winget/$id.installer.yaml|s/-x86_64\.zip/-arm64.zip/|is not RELEASE_URL ($url) plus an archive
the marker files persisted|scoop/clickpocket.json|s/"persist": "My ClickPocket"/"persist": ["My ClickPocket", "welcome.dat"]/|persist: 'My ClickPocket' was expected
no schema header|winget/$id.yaml|/yaml-language-server/d|no schema header before the first key
a schema type in the wrong case|winget/$id.locale.en-US.yaml|s/defaultLocale\.1/defaultlocale.1/|its schema header is not
a Scope winget ignores for a portable|winget/$id.installer.yaml|/^ArchiveBinariesDependOnPath/a Scope: user|'Scope' was unexpected
a Scoop manifest with LF line ends|scoop/clickpocket.json|s/\r$//|not every line ends with CRLF
an autoupdate that keeps this version's archive|scoop/clickpocket.json|s#ClickPocket-\$version-i686#ClickPocket-$version-i686#|autoupdate's 32bit address
EOF
echo "passed"
