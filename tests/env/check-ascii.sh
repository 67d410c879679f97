#!/usr/bin/env bash
# Every text of the program's own goes through the ANSI calls, whose code page is
# UTF-8 on today's Windows and the system's language on older ones: only plain
# ASCII means the same in both. Any other byte in the product's sources fails the
# build check. (Resources are compiled to UTF-16 and are not concerned.)
set -euo pipefail
source=$1
cd "$source"
if hits=$(LC_ALL=C grep -rnP '[^\x00-\x7F]' app core hook hooklib paint ui); then
    echo "bytes outside ASCII in the product's sources:"
    echo "$hits" | head -n 20
    exit 1
fi
echo "app core hook hooklib paint ui: ASCII only"
