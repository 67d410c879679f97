#!/usr/bin/env bash
# What would make two builds of one commit differ: a link time stamp in the PE
# headers, or the path of the source or build folder inside the files.
set -euo pipefail
objdump=$1 dist=$2 source=$3 build=$4
u32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }
fail=0
for f in ClickPocket.exe ClickPocket.dll; do
    file="$dist/$f"
    # The COFF file header follows "PE\0\0"; its time stamp is its third field.
    header_time=$(u32 "$file" $(( $(u32 "$file" 60) + 8 )))
    [ "$header_time" = 0 ] || { echo "$f: link time stamp $header_time in the header"; fail=1; }
    export_time=$("$objdump" -p "$file" | sed -n 's/^Time\/Date stamp[[:space:]]*//p')
    case $export_time in ""|0) ;; *) echo "$f: export table time stamp $export_time"; fail=1 ;; esac
    for dir in "$source" "$build"; do
        if grep -aqF "$dir" "$file"; then echo "$f holds the path $dir"; fail=1; fi
    done
done
[ $fail -ne 0 ] || echo "ClickPocket.exe, ClickPocket.dll: no time stamps, no build folder paths"
exit $fail
