#!/usr/bin/env bash
# Prints the Windows builds that Wine can run on this host, in the order make test
# tests them: "i686 x86_64" where both of Wine's loaders run, else "x86_64" (the
# kernel runs no 32-bit code, or the 32-bit Wine could not be installed).
# CP_TEST_ARCH="..." overrides the answer.
if [ -n "${CP_TEST_ARCH:-}" ]; then echo "$CP_TEST_ARCH"; exit 0; fi
runs() { [ -x "$1" ] && "$1" --version >/dev/null 2>&1; }
archs=()
runs /usr/lib/wine/wine && archs+=(i686)
runs /usr/lib/wine/wine64 && archs+=(x86_64)
echo "${archs[*]}"
