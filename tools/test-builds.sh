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

# Minutes and seconds.
duration() { printf '%d min %02d s' $(($1 / 60)) $(($1 % 60)); }
# Each layer's time in a ctest log, from its line per test ("Test #7: e2e.03_middle_click
# ... Passed 12.34 sec"): a test's layer is the first word of its name (env: the
# fixture that starts and stops the virtual display and the wineservers).
layer_times() {
    awk '$NF == "sec" && match($0, /Test +#[0-9]+: [a-z0-9]+\./) {
             n = substr($0, RSTART, RLENGTH); sub(/.*: /, "", n); sub(/\.$/, "", n); t[n] += $(NF - 1) }
         END { split("native|win32|e2e|build checks|release checks|virtual display and wineservers", name, "|")
               for (i = split("native win32 e2e build release env", l, " "); i > 0; i--) if (l[i] in t)
                   s = sprintf("%s %.0f s%s", name[i], t[l[i]], s ? ", " s : ""); print s }' "$1"
}

results=() failed=0
for arch in "${archs[@]}"; do
    dir=$(dir_of "$arch")
    if [[ $runnable != *" $arch "* ]]; then
        if [ -n "$only" ]; then
            echo "make test: Wine cannot run the $arch build on this host." >&2; exit 1
        fi
        echo "== Wine's $arch loader does not run on this host: the $arch build is built and its build checks run; every test layer runs on the other build."
        started=$SECONDS
        if cmake --build "$dir" -j "$jobs" && (cd "$dir" && ctest -L build --output-on-failure); then
            results+=("$arch: built; build checks passed (no Wine for it here) in $(duration $((SECONDS - started)))")
        else
            results+=("$arch: FAILED (build or build checks)"); failed=1
        fi
        continue
    fi
    echo "== $arch: every test layer ($dir)"
    started=$SECONDS
    if cmake --build "$dir" -j "$jobs"; then
        built=$((SECONDS - started))
        if (cd "$dir" && ctest --output-on-failure --timeout 300) | tee "$dir/make-test.log"; then
            verdict="all tests passed"
        else
            verdict=FAILED; failed=1
        fi
        results+=("$arch: $verdict in $(duration $((SECONDS - started))): compiling $built s, $(layer_times "$dir/make-test.log")")
    else
        results+=("$arch: FAILED (build)"); failed=1
    fi
done
echo "== make test: $(duration $SECONDS) in all"
printf '   %s\n' "${results[@]}"
exit $failed
