#!/usr/bin/env bash
# A read-only install folder, or a file where the workspace folder should be:
# the file-access error with no owner, then the end with 0, leaving no window and
# no Run value.
source "$(dirname "$0")/lib.sh"
FILE_ACCESS_ERROR='File access error in folder "My ClickPocket". Program will terminate.'


log "read-only install folder"
fresh_install --welcomed
make_read_only
start_app
expect_start_refused "read-only folder" "$FILE_ACCESS_ERROR" ""
unmount_install

log "a file named My ClickPocket"
fresh_install --welcomed
echo "not a folder" >"$INSTALL/My ClickPocket"
start_app
expect_start_refused "file in the way" "$FILE_ACCESS_ERROR" ""
expect_eq "$(cat "$INSTALL/My ClickPocket")" "not a folder" "the file is untouched"
log "passed"
