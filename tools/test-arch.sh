#!/usr/bin/env bash
# Prints the Windows architecture that Wine can run on this host: i686 where the
# kernel runs 32-bit programs (and so Wine's 32-bit loader), else x86_64. Both
# builds ship; a 64-bit-only host tests the x86_64 one (docs/testing.md).
if [ -n "${CP_TEST_ARCH:-}" ]; then echo "$CP_TEST_ARCH"; exit 0; fi
if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo i686
else
    echo x86_64
fi
