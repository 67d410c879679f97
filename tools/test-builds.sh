#!/usr/bin/env bash
# make test: every test layer, through ctest, on each build that this host's Wine
# can run: build/ (i686) and build/x86_64, one after the other, each in its own
# Wine prefixes and on its own virtual display. Both must pass.
# Usage: tools/test-builds.sh <build folder> [i686|x86_64]
# With an architecture named (make test ARCH=i686), that build alone is tested.
# Where Wine's 32-bit loader does not run, the i686 build is still built whole,
# tests included (warnings are errors), and its build checks run.
set -uo pipefail
build=$1 only=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
runnable=" $("$here/test-arch.sh") "
dir_of() { if [ "$1" = i686 ]; then echo "$build"; else echo "$build/x86_64"; fi; }

case $only in
    "") archs=(i686 x86_64) ;;
    i686|x86_64) archs=("$only") ;;
    *) echo "make test: ARCH is i686 or x86_64, not '$only'" >&2; exit 2 ;;
esac

results=() failed=0
for arch in "${archs[@]}"; do
    dir=$(dir_of "$arch")
    if [[ $runnable != *" $arch "* ]]; then
        if [ -n "$only" ]; then
            echo "make test: Wine cannot run the $arch build on this host." >&2; exit 1
        fi
        echo "== Wine's $arch loader does not run on this host: the $arch build is built and its build checks run; every test layer runs on the other build."
        if cmake --build "$dir" -j "$jobs" && (cd "$dir" && ctest -L build --output-on-failure); then
            results+=("$arch: built; build checks passed (no Wine for it here)")
        else
            results+=("$arch: FAILED (build or build checks)"); failed=1
        fi
        continue
    fi
    echo "== $arch: every test layer ($dir)"
    if cmake --build "$dir" -j "$jobs" && (cd "$dir" && ctest --output-on-failure --timeout 300); then
        results+=("$arch: all tests passed")
    else
        results+=("$arch: FAILED"); failed=1
    fi
done
echo "== make test"
printf '   %s\n' "${results[@]}"
exit $failed
