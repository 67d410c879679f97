#!/usr/bin/env bash
# make dist: zips the program folders of the release builds into one archive per
# machine, ClickPocket-<version>-<arch>.zip, each holding the four files at its
# root, with no folder around them, and writes SHA256SUMS beside them. A package
# manager unpacks such an archive into a folder of its own, which stays the same
# from one version to the next, and Explorer's "Extract All" makes the folder. The same commit gives the same bytes wherever and whenever it is built:
# entries in a fixed order, times from the commit (SOURCE_DATE_EPOCH), fixed
# modes, no owner or extra fields.
# Usage: tools/pack.sh <package folder> <arch>=<build folder>...   (arch: i686, x86_64)
set -euo pipefail
umask 022
top=$(cd "$(dirname "$0")/.." && pwd)
[ $# -ge 2 ] || { echo "usage: $0 <package folder> <arch>=<build folder>..." >&2; exit 2; }
shown=$1 package=$1
shift
files=(ClickPocket.exe ClickPocket.dll readme.txt license.txt)

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$top" log -1 --format=%ct 2>/dev/null || true)
    # Outside a git clone (e.g. an unpacked source archive): a fixed time.
    [ -n "$SOURCE_DATE_EPOCH" ] || SOURCE_DATE_EPOCH=1704067200
fi
# Zip keeps local times: the same time zone everywhere.
export TZ=UTC

mkdir -p "$package"
package=$(cd "$package" && pwd)
stage=$(mktemp -d "$package/.stage.XXXXXX")
trap 'rm -rf "$stage"' EXIT

archives=()
for pair in "$@"; do
    arch=${pair%%=*} build=${pair#*=}
    case $arch in
        i686)   triple=i686-w64-mingw32   machine=i386 ;;
        x86_64) triple=x86_64-w64-mingw32 machine=i386:x86-64 ;;
        *) echo "unknown machine: $arch" >&2; exit 2 ;;
    esac
    dist="$build/dist"
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
    [ -n "$version" ] || { echo "no project version in $build/CMakeCache.txt" >&2; exit 1; }
    # The build checks of the test build, on every folder that ships.
    bash "$top/tests/env/check-imports.sh" "$triple-objdump" "$dist" >/dev/null ||
        { echo "the $arch program folder $dist fails the import checks" >&2; exit 1; }
    for f in ClickPocket.exe ClickPocket.dll; do
        got=$("$triple-objdump" -f "$dist/$f" | awk '/^architecture:/ {sub(",", "", $2); print $2}')
        [ "$got" = "$machine" ] || { echo "$dist/$f is built for $got, not $arch" >&2; exit 1; }
    done
    name=ClickPocket-$version-$arch
    mkdir "$stage/$name"
    for f in "${files[@]}"; do
        cp "$dist/$f" "$stage/$name/$f"
        chmod 0644 "$stage/$name/$f"
        touch -d "@$SOURCE_DATE_EPOCH" "$stage/$name/$f"
    done
    rm -f "$package/$name.zip"
    # -X: no owner or extra time fields; -D: no folder entries; names in this order.
    (cd "$stage/$name" && zip -q -X -D -9 "$package/$name.zip" "${files[@]}")
    listed=$(unzip -Z1 "$package/$name.zip" | tr '\n' ' ')
    [ "$listed" = "$(printf "%s " "${files[@]}")" ] ||
        { echo "$name.zip holds: $listed" >&2; exit 1; }
    archives+=("$name.zip")
done

cd "$package"
sha256sum "${archives[@]}" >SHA256SUMS
sha256sum -c --quiet SHA256SUMS
for f in "${archives[@]}" SHA256SUMS; do echo "$shown/$f"; done
