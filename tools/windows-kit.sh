#!/usr/bin/env bash
# make windows-kit: what checking a release on real Windows takes beside its
# archives, per build: cpsmoke.exe with its click targets of both bitnesses, and
# the Win32 test program with the hook library it loads (docs/testing.md).
#   <kit>/<arch>/cpsmoke.exe, cpclicktarget.exe, cpclicktarget32.exe or
#                cpclicktarget64.exe (the other build's), win32/win32_tests.exe,
#                win32/ClickPocket.dll
# Usage: tools/windows-kit.sh <kit folder> <i686 build> <x86_64 build>
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 <kit folder> <i686 build> <x86_64 build>" >&2; exit 2; }
kit=$1 i686=$2 x86_64=$3
jobs=$(nproc 2>/dev/null || echo 2)
for build in "$i686" "$x86_64"; do
    cmake --build "$build" -j "$jobs" --target cpsmoke cpclicktarget win32_tests
done
rm -rf "$kit"
lay() {   # <arch> <its build> <the other build> <name of the other's click target>
    local dir="$kit/$1"
    mkdir -p "$dir/win32"
    cp "$2/testtools/cpsmoke.exe" "$2/testtools/cpclicktarget.exe" "$dir/"
    cp "$3/testtools/cpclicktarget.exe" "$dir/$4"
    cp "$2/tests/win32_tests.exe" "$2/tests/ClickPocket.dll" "$dir/win32/"
}
lay i686 "$i686" "$x86_64" cpclicktarget64.exe
lay x86_64 "$x86_64" "$i686" cpclicktarget32.exe
echo "$kit: cpsmoke and the Win32 tests for i686 and x86_64"
