#!/usr/bin/env bash
# The program and its hook library may depend only on DLLs that every Windows has,
# and the hook library on KERNEL32 and USER32 alone, exporting just its procedure.
set -euo pipefail
objdump=$1 dist=$2
imports() { "$objdump" -p "$1" | awk '/DLL Name:/ {print toupper($3)}' | sort -u | tr '\n' ' '; }
fail=0
exe=$(imports "$dist/ClickPocket.exe")
for dll in $exe; do
    case $dll in
        KERNEL32.DLL|USER32.DLL|GDI32.DLL|ADVAPI32.DLL|SHELL32.DLL|MSVCRT.DLL) ;;
        *) echo "ClickPocket.exe imports $dll"; fail=1 ;;
    esac
done
hook=$(imports "$dist/ClickPocket.dll")
[ "$hook" = "KERNEL32.DLL USER32.DLL " ] || { echo "ClickPocket.dll imports: $hook"; fail=1; }
# It lets ClickPocket take the foreground before each request it posts.
"$objdump" -p "$dist/ClickPocket.dll" | grep -qw AllowSetForegroundWindow \
    || { echo "ClickPocket.dll does not import AllowSetForegroundWindow"; fail=1; }
exports=$("$objdump" -p "$dist/ClickPocket.dll" | awk '/\[Ordinal\/Name Pointer\] Table/ {on=1; next} on && NF==0 {on=0} on {print $NF}')
[ "$exports" = "CLICKPOCKET_MSP" ] || { echo "ClickPocket.dll exports: $exports"; fail=1; }
for f in ClickPocket.exe ClickPocket.dll readme.txt license.txt; do
    [ -f "$dist/$f" ] || { echo "missing from the program folder: $f"; fail=1; }
done
echo "ClickPocket.exe imports: $exe"
echo "ClickPocket.dll imports: $hook; exports: $exports"
exit $fail
