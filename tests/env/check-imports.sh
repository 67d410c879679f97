#!/usr/bin/env bash
# The program and its hook library may depend only on DLLs that every Windows has,
# and the hook library on KERNEL32 and USER32 alone, exporting just its procedure;
# both are marked to run from the page file.
set -euo pipefail
objdump=$1 dist=$2
imports() { "$objdump" -p "$1" | awk '/DLL Name:/ {print toupper($3)}' | sort -u | tr '\n' ' '; }
fail=0
exe=$(imports "$dist/ClickPocket.exe")
for dll in $exe; do
    case $dll in
        KERNEL32.DLL|USER32.DLL|GDI32.DLL|ADVAPI32.DLL|SHELL32.DLL|OLE32.DLL|MSVCRT.DLL) ;;
        *) echo "ClickPocket.exe imports $dll"; fail=1 ;;
    esac
done
# The calls of Windows 10 that tell and set what is done per DPI are looked up at
# run time: imported, they would keep the program from starting on Windows 7
# and 8.1 (and Wine 8 lacks the SetDialog... ones).
newer=$("$objdump" -p "$dist/ClickPocket.exe" | grep -wo -e GetDpiForWindow -e GetSystemMetricsForDpi \
    -e AdjustWindowRectExForDpi -e SetDialogDpiChangeBehavior -e SetDialogControlDpiChangeBehavior \
    -e LoadIconWithScaleDown | sort -u | tr '\n' ' ' || true)
[ -z "$newer" ] || { echo "ClickPocket.exe imports calls older Windows lack: $newer"; fail=1; }
hook=$(imports "$dist/ClickPocket.dll")
[ "$hook" = "KERNEL32.DLL USER32.DLL " ] || { echo "ClickPocket.dll imports: $hook"; fail=1; }
# It lets ClickPocket take the foreground before each request it posts. (grep reads
# all of objdump's output: with -q it could stop early and objdump die of SIGPIPE.)
"$objdump" -p "$dist/ClickPocket.dll" | grep -w AllowSetForegroundWindow >/dev/null \
    || { echo "ClickPocket.dll does not import AllowSetForegroundWindow"; fail=1; }
# A stopped or stuck ClickPocket gets no click: the library asks whether it still answers.
"$objdump" -p "$dist/ClickPocket.dll" | grep -w IsHungAppWindow >/dev/null \
    || { echo "ClickPocket.dll does not import IsHungAppWindow"; fail=1; }
# On x64 an exception unwinds through every frame by its table: without one for
# the hook procedure, any 64-bit program the library is loaded in would be ended.
if "$objdump" -f "$dist/ClickPocket.dll" | grep 'i386:x86-64' >/dev/null; then
    unwind=$("$objdump" -p "$dist/ClickPocket.dll" | awk '/Exception Directory/ {print $4}')
    [ -n "$unwind" ] && [ $((16#$unwind)) -gt 0 ] \
        || { echo "ClickPocket.dll has no exception directory (unwind tables)"; fail=1; }
fi
exports=$("$objdump" -p "$dist/ClickPocket.dll" | awk '/\[Ordinal\/Name Pointer\] Table/ {on=1; next} on && NF==0 {on=0} on {print $NF}')
[ "$exports" = "CLICKPOCKET_MSP" ] || { echo "ClickPocket.dll exports: $exports"; fail=1; }
# Both images run from the page file, not from a stick or share that can go away:
# IMAGE_FILE_REMOVABLE_RUN_FROM_SWAP and IMAGE_FILE_NET_RUN_FROM_SWAP.
u16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }
u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
swap=yes
for f in ClickPocket.exe ClickPocket.dll; do
    flags=$(u16 "$dist/$f" $(( $(u32 "$dist/$f" 60) + 22 )))
    if [ $((flags & 0x0C00)) -ne $((0x0C00)) ]; then
        echo "$f: not marked to run from swap (Characteristics $(printf 0x%04x "$flags"))"
        fail=1 swap=no
    fi
done
for f in ClickPocket.exe ClickPocket.dll readme.txt license.txt; do
    [ -f "$dist/$f" ] || { echo "missing from the program folder: $f"; fail=1; }
done
echo "ClickPocket.exe imports: $exe"
echo "ClickPocket.dll imports: $hook; exports: $exports"
[ $swap = no ] || echo "ClickPocket.exe, ClickPocket.dll: run from swap on removable and network media"
exit $fail
