# Sourced after wine-env.sh: creates the layer's prefix once and keeps a
# wineserver running for it, so that each Wine start takes a fraction of a second.

# The settings of every prefix of ours, made once it exists.
configure_prefix() {
    # Without a window manager Wine would wait for one at every hide;
    # unmanaged windows draw their own frames.
    "$CP_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    "$CP_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    # Text documents open in Notepad, as on any Windows (a new prefix has no
    # association for .txt).
    "$CP_WINE" reg add 'HKCR\.txt' /ve /d txtfile /f >/dev/null 2>&1
    "$CP_WINE" reg add 'HKCR\txtfile\shell\open\command' /ve /d 'notepad.exe "%1"' /f >/dev/null 2>&1
    # Windows' text metrics (docs/testing.md, "Fonts"): Wine's raster "MS Sans
    # Serif" and kin, which Debian's Wine does not read where they lie, and a
    # stand-in of the same widths (or wider) for each face the program asks for.
    local fonts="$WINEPREFIX/drive_c/windows/Fonts" face
    cp /usr/share/wine/fonts/* "$fonts/"
    # DejaVu Sans Bold as a family of its own, which a replacement can name.
    python3 "$(dirname "${BASH_SOURCE[0]}")/one_face_family.py" \
        /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf "DejaVu Sans Bold" "$fonts/dejavu-sans-bold.ttf"
    for face in "Arial=Liberation Sans" "Arial Narrow=Liberation Sans Narrow" \
                "Arial Black=DejaVu Sans Bold" "Verdana=DejaVu Sans" "Georgia=DejaVu Serif Condensed"; do
        "$CP_WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%=*}" \
            /d "${face#*=}" /f >/dev/null 2>&1
    done
}

# Every face the program asks for is drawn in its stand-in, "MS Sans Serif" in
# the raster face (cplook faces); else no text measured here means anything.
check_faces() {
    local out
    out=$("$CP_WINE" "$CP_TOOLS_DIR/cplook.exe" faces </dev/null 2>&1) \
        || { printf 'wrong fonts in %s:\n%s\n' "$WINEPREFIX" "$out" | tr -d '\r' >&2; return 1; }
}

# A prefix made anew inside a wineserver session that goes on: in the session
# that ran `wineboot -i`, Wine's desktop never registers the shell's list of
# folder windows, and opening it fails after seconds, as on Windows while no
# Explorer serves it (one restarting or hung, or another shell). End the session
# with "$CP_WINESERVER" -k.
unserved_prefix() {
    "$CP_WINESERVER" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$CP_WINESERVER" -p </dev/null >/dev/null 2>&1
    timeout 240 "$CP_WINE" wineboot -i >/dev/null 2>&1 || true
    configure_prefix
    "$CP_WINE" "$CP_TOOLS_DIR/cplook.exe" windows </dev/null >/dev/null 2>&1 || true
}

ensure_prefix() {
    if [ ! -f "$WINEPREFIX/.clickpocket-prefix-v4" ]; then
        "$CP_WINESERVER" -k 2>/dev/null || true
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        timeout 240 "$CP_WINE" wineboot -i >/dev/null 2>&1 || true
        configure_prefix
        # The registry reaches the disk when the (not yet persistent) server ends.
        timeout 60 "$CP_WINESERVER" -w || true
        [ -d "$WINEPREFIX/drive_c/windows" ] || { echo "wine prefix $WINEPREFIX not created" >&2; return 1; }
        touch "$WINEPREFIX/.clickpocket-prefix-v4"
    fi
    "$CP_WINESERVER" -p </dev/null >/dev/null 2>&1 || true    # already running is fine
    # The desktop process outlives every test program: start it here, away from
    # the output that ctest collects, so that no test waits for it to end.
    "$CP_WINE" "$CP_TOOLS_DIR/cplook.exe" windows </dev/null >/dev/null 2>&1 || true
    check_faces
}
