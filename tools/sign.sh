#!/usr/bin/env bash
# Signed releases (README.md, "Signing a release").
#
#   tools/sign.sh sign <release folder> [<work folder>]              make sign
#   tools/sign.sh verify <release folder> <CA file>                  make verify-signed
#   tools/sign.sh check <release folder> [<work folder>]             make check-release
#
# sign: refuses a working tree with uncommitted changes, then builds its commit
# with make dist in a clean clone (kept in <work folder>, when one is given, for
# the next run on the same commit), as make check-release will. ClickPocket.exe
# and ClickPocket.dll of both builds get an Authenticode signature (SHA-256) from
# osslsigncode, with the key on a PKCS#11 token or in a PKCS#12 file; the signed
# program folders are packed by tools/pack.sh into the archives that make dist
# names, with SHA256SUMS; each file's detached signature goes to signatures/, with
# the commit the files were built from; with RELEASE_URL, tools/manifests.py
# writes the winget and Scoop manifests beside them. The inputs come from the
# environment (the Makefile exports its make variables of these names):
#   SIGN_CERTS           the certificate chain, PEM: the signing certificate, then
#                        its intermediates
#   SIGN_PKCS12          a PKCS#12 file holding the key and the signing certificate, or
#   SIGN_PKCS11_MODULE   a token's PKCS#11 module, and
#   SIGN_KEY             the pkcs11: URI of the key on it
#   SIGN_PASS_FILE       the file holding the PIN or password, or a pipe
#   SIGN_TIMESTAMP       the RFC 3161 timestamp server, or
#   SIGN_NO_TIMESTAMP=1  no timestamp: the signatures end with the certificate
#   RELEASE_URL          where the release's files will be published (optional)
#   OSSLSIGNCODE         the signer (default: osslsigncode)
# Every refusal is one line on stderr and a non-zero exit. Everything is made in
# a staging folder beside the release folder and moved into place only when all
# of it succeeded, so a failed run leaves no archive behind.
set -euo pipefail
umask 022
top=$(cd "$(dirname "$0")/.." && pwd)
OSSLSIGNCODE=${OSSLSIGNCODE:-osslsigncode}
signed_files=(ClickPocket.exe ClickPocket.dll)
# Shown by Windows in the signature's details.
description=ClickPocket
info_url=http://www.corvellan.example/clickpocket/

me=tools/sign.sh
die() { echo "$me: $*" >&2; exit 1; }
# The temporary folders of this run, removed however it ends (a signal too).
scratch=()
trap 'rm -rf "${scratch[@]}"' EXIT
trap 'exit 130' INT TERM HUP

need_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 ||
            die "$tool not found: make deps installs it (tools/install-deps.sh)"
    done
}

# A make variable that must be given and name a readable file.
need_file() {   # <variable> <what it holds>
    [ -n "${!1:-}" ] || die "$1 is not set: it names the $2"
    [ -r "${!1}" ] && [ ! -d "${!1}" ] || die "no $2 at ${!1} ($1)"
}

version_of() { sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$1/CMakeCache.txt"; }

subject_of() { openssl x509 -in "$1" -noout -subject -nameopt RFC2253 | sed 's/^subject=//'; }

# --- sign --------------------------------------------------------------------

# The certificates of SIGN_CERTS, one file each, in their order: <dir>/001.pem, ...
split_chain() {   # <dir>
    mkdir -p "$1"
    awk -v dir="$1" '/-----BEGIN CERTIFICATE-----/ { file = sprintf("%s/%03d.pem", dir, ++n) }
                     file { print > file } /-----END CERTIFICATE-----/ { close(file); file = "" }' "$SIGN_CERTS"
    [ -e "$1/001.pem" ] || die "no certificate in $SIGN_CERTS (SIGN_CERTS)"
    local cert
    for cert in "$1"/*.pem; do
        openssl x509 -in "$cert" -noout 2>/dev/null || die "$SIGN_CERTS holds a certificate that openssl cannot read"
    done
}

is_ca() { [[ $(openssl x509 -in "$1" -noout -ext basicConstraints 2>/dev/null) == *CA:TRUE* ]]; }

# Windows refuses a signature whose certificate had expired or was not yet valid
# when it was made (with a timestamp) or when it is checked (without one), and
# one from a certificate that is not meant for code signing: such a release
# would be rejected on every machine, so none is made.
check_certificate() {   # <certificate> <is the signing certificate: yes|no>
    local cert=$1 name
    name=$(subject_of "$cert")
    openssl x509 -in "$cert" -noout -checkend 0 >/dev/null ||
        die "the certificate \"$name\" expired on $(openssl x509 -in "$cert" -noout -enddate | cut -d= -f2)"
    local start
    start=$(openssl x509 -in "$cert" -noout -startdate | cut -d= -f2)
    [ "$(date -d "$start" +%s)" -le "$(date +%s)" ] ||
        die "the certificate \"$name\" is not valid before $start"
    [ "$2" = no ] || [[ $(openssl x509 -in "$cert" -noout -ext extendedKeyUsage 2>/dev/null) == *"Code Signing"* ]] ||
        die "the certificate \"$name\" is not for code signing (its extended key usage lacks Code Signing)"
}

# The key's side: where osslsigncode finds it, and the signing certificate that
# goes with it (for a PKCS#12 file, its own, which must be the one of SIGN_CERTS).
# Sets key_args and signer.
read_key_source() {   # <work dir>
    local work=$1 cert
    if [ -n "${SIGN_PKCS12:-}" ]; then
        [ -z "${SIGN_PKCS11_MODULE:-}${SIGN_KEY:-}" ] ||
            die "give SIGN_PKCS12, or SIGN_PKCS11_MODULE and SIGN_KEY, not both"
        need_file SIGN_PKCS12 "PKCS#12 file"
        read_pkcs12 "$work/pkcs12.pem" -clcerts
        signer=$work/pkcs12.pem
        # The file brings the signing certificate, and often its chain; osslsigncode
        # adds the certificates of -ac even when they are there already, so the
        # intermediates of SIGN_CERTS are added only to a file without them.
        key_args=(-pkcs12 "$SIGN_PKCS12")
        read_pkcs12 "$work/pkcs12-cas.pem" -cacerts
        if ! grep -q 'BEGIN CERTIFICATE' "$work/pkcs12-cas.pem"; then
            for cert in "$work"/chain/*.pem; do is_ca "$cert" && cat "$cert"; done >"$work/intermediates.pem"
            [ ! -s "$work/intermediates.pem" ] || key_args+=(-ac "$work/intermediates.pem")
        fi
        cmp -s <(openssl x509 -in "$signer" -outform DER) <(openssl x509 -in "$work/leaf.pem" -outform DER) ||
            die "the certificate in $SIGN_PKCS12 is not the signing certificate of $SIGN_CERTS"
        return 0
    fi
    [ -n "${SIGN_PKCS11_MODULE:-}" ] || die "give SIGN_PKCS11_MODULE and SIGN_KEY (a key on a token) or SIGN_PKCS12"
    [ -f "$SIGN_PKCS11_MODULE" ] || die "no PKCS#11 module at $SIGN_PKCS11_MODULE (SIGN_PKCS11_MODULE)"
    case ${SIGN_KEY:-} in
        pkcs11:*) ;;
        "") die "SIGN_KEY is not set: give the pkcs11: URI of the key on the token" ;;
        *) die "SIGN_KEY is not a pkcs11: URI: $SIGN_KEY" ;;
    esac
    # osslsigncode reaches the token through OpenSSL's PKCS#11 engine, which it
    # loads by name from OpenSSL's engine folder.
    local engines
    engines=$(openssl version -e | sed -n 's/^ENGINESDIR: "\(.*\)"$/\1/p')
    [ -f "$engines/pkcs11.so" ] ||
        die "the OpenSSL PKCS#11 engine is not installed ($engines/pkcs11.so): make deps installs it"
    signer=$work/leaf.pem
    key_args=(-pkcs11module "$SIGN_PKCS11_MODULE" -key "$SIGN_KEY" -certs "$SIGN_CERTS")
}

# The certificates of a PKCS#12 file: its own (-clcerts) or its chain (-cacerts).
# The password is checked here, with a clear word, before anything is signed.
read_pkcs12() {   # <certificates out> -clcerts|-cacerts
    local log=$1.log legacy
    for legacy in "" -legacy; do    # files from older tools use ciphers OpenSSL 3 calls legacy
        if openssl pkcs12 $legacy -in "$SIGN_PKCS12" -passin file:<(printf %s "$pin") -nokeys "$2" -out "$1" 2>"$log"; then
            return 0
        fi
        grep -qi unsupported "$log" || break
    done
    grep -q -i -e 'mac verify failure' -e 'invalid password' "$log" && die "wrong password for $SIGN_PKCS12 in $SIGN_PASS_FILE (SIGN_PASS_FILE)"
    die "$SIGN_PKCS12 is not a PKCS#12 file that openssl can read"
}

# What osslsigncode's log says went wrong, in one line. Its messages come from
# itself, from the PKCS#11 engine and from the module; the order matters, as a
# wrong PIN also reads "private key not found".
signing_failure() {   # <log> <file>
    local log=$1
    if grep -q 'PIN incorrect' "$log"; then
        echo "the token refused the PIN in $SIGN_PASS_FILE (wrong PIN)"
    elif grep -q 'PIN locked' "$log"; then
        echo "the token's PIN is locked"
    elif grep -q 'No matching initialized token' "$log"; then
        echo "no token matching $SIGN_KEY in $SIGN_PKCS11_MODULE (is it plugged in?)"
    elif grep -q 'Unable to load module' "$log"; then
        echo "$SIGN_PKCS11_MODULE is not a PKCS#11 module that could be loaded"
    elif grep -q -e 'private key was not found' -e 'object not found' "$log"; then
        echo "the token holds no private key matching $SIGN_KEY"
    elif grep -q -e 'key values mismatch' -e 'consistency of a private key' "$log"; then
        echo "the key does not belong to the signing certificate of $SIGN_CERTS"
    elif grep -q -e 'Connection refused' -e "Couldn't connect" -e 'Could not resolve' "$log"; then
        echo "the timestamp server $SIGN_TIMESTAMP could not be reached"
    elif grep -q 'timestamping failed' "$log"; then
        echo "the timestamp server $SIGN_TIMESTAMP gave no timestamp"
    else
        echo "osslsigncode could not sign $2: $(grep -v '^[0-9A-F]*:error:' "$log" | grep . | tail -n 1)"
    fi
}

sign_file() {   # <unsigned> <signed> <log>
    local ts=()
    [ -z "${SIGN_TIMESTAMP:-}" ] || ts=(-ts "$SIGN_TIMESTAMP")
    rm -f "$2"      # osslsigncode writes no file that exists
    # The PIN or password reaches osslsigncode through a pipe, never a file or the
    # command line (which every user of the machine can read); printf is a shell
    # builtin, so the PIN is in no process's arguments either.
    "$OSSLSIGNCODE" sign "${key_args[@]}" -readpass <(printf %s "$pin") -h sha256 \
        -n "$description" -i "$info_url" "${ts[@]}" -in "$1" -out "$2" >"$3" 2>&1 ||
        die "$(signing_failure "$3" "$1")"
}

# The published detached signature, as PEM: osslsigncode 2.5 (Debian 12) and
# later versions write and read the same PEM, while their DER forms differ.
extract_signature() {   # <signed> <signature out>
    "$OSSLSIGNCODE" extract-signature -pem -in "$1" -out "$2" >/dev/null 2>&1 ||
        die "could not extract the signature of $1"
}

# attach-signature also verifies the result against the system's CAs, and says
# "Failed" for a chain that they do not vouch for (a maker's own CA, a test CA)
# while it has written the file: only the bytes decide.
attach_signature() {   # <signature> <unsigned> <signed out>
    rm -f "$3"
    "$OSSLSIGNCODE" attach-signature -sigin "$1" -in "$2" -out "$3" >/dev/null 2>&1 || true
    [ -s "$3" ]
}

# The tracked files whose content in the working tree is not their commit's,
# named in one line ("a, b, c and 4 more"). Files git does not track (the
# maker's certificate chain, say) are no part of any build.
uncommitted_files() {
    git -C "$top" status --porcelain --untracked-files=no | cut -c4- | sed 's/.* -> //' |
        awk '{ n++; if (n <= 5) list = list (n > 1 ? ", " : "") $0 }
             END { if (n > 5) list = list " and " (n - 5) " more"; print list }'
}

# The release is built from its commit in a clean clone, by make sign and by make
# check-release alike; a clone kept in <work>/source from an earlier run is used
# again while it is clean and on that commit. Sets built (the clone).
build_commit() {   # <work folder> <commit>
    local work=$1 commit=$2
    built=$work/source
    if [ ! -d "$built/.git" ] || [ "$(git -C "$built" rev-parse HEAD)" != "$commit" ] ||
       [ -n "$(git -C "$built" status --porcelain)" ]; then
        rm -rf "$built"
        git clone -q --no-checkout "$top" "$built"
        git -C "$built" checkout -q --detach "$commit"
    fi
    env -u MAKEFLAGS -u MAKELEVEL -u MFLAGS make -C "$built" dist </dev/null >"$work/build.log" 2>&1 ||
        die "commit $commit does not build here: make dist said: $(grep . "$work/build.log" | tail -n 1)"
}

# Without a timestamp a signature is valid only while the certificate is: the day
# it expires, every copy of the release reads "This digital signature is not
# valid". So a timestamp is required unless the maker says otherwise.
timestamp_policy() {
    case ${SIGN_NO_TIMESTAMP:-} in
        "") [ -n "${SIGN_TIMESTAMP:-}" ] ||
                die "SIGN_TIMESTAMP is not set: name the certificate authority's RFC 3161 timestamp server (without a timestamp the signatures become invalid the day the certificate expires), or set SIGN_NO_TIMESTAMP=1" ;;
        1)  [ -z "${SIGN_TIMESTAMP:-}" ] || die "give SIGN_TIMESTAMP or SIGN_NO_TIMESTAMP=1, not both" ;;
        *)  die "SIGN_NO_TIMESTAMP is 1 or unset, not '$SIGN_NO_TIMESTAMP'" ;;
    esac
}

sign_release() {   # <release folder> [<work folder>]
    me="make sign"
    [ -n "${1:-}" ] || die "usage: $0 sign <release folder> [<work folder>]"
    local out=$1 keep=${2:-} arch build name f
    # An older release in the same place goes first, before anything can fail:
    # whatever is found there after a failed run could be taken for this one.
    # Anything else is left alone.
    mkdir -p "$(dirname "$out")"
    out=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
    if [ -e "$out" ] && [ ! -f "$out/signatures/COMMIT" ] && [ -n "$(ls -A "$out" 2>/dev/null)" ]; then
        die "$out is not a signed release; it is left alone: choose another SIGN_OUT"
    fi
    rm -rf "$out"

    need_tools "$OSSLSIGNCODE" openssl zip unzip git make
    local commit changed
    commit=$(git -C "$top" rev-parse --verify -q HEAD) ||
        die "not a git clone: the signatures name the commit the files were built from"
    changed=$(uncommitted_files)
    [ -z "$changed" ] ||
        die "the working tree has uncommitted changes ($changed): commit or stash them; a release is built from commit $commit alone"
    need_file SIGN_CERTS "certificate chain (PEM)"
    need_file SIGN_PASS_FILE "PIN or password file"
    timestamp_policy
    [ -z "${RELEASE_URL:-}" ] || "$top/tools/manifests.py" url "$RELEASE_URL" || exit 1
    local stage
    stage=$(mktemp -d "$(dirname "$out")/.$(basename "$out").XXXXXX")
    scratch+=("$stage")
    local work=$stage/work release=$stage/release
    mkdir -p "$work" "$release/signatures"

    # Read once, as a pipe (SIGN_PASS_FILE=/dev/stdin) can be read only once, and
    # kept in memory: each file is signed on its own.
    pin=$(cat -- "$SIGN_PASS_FILE") || die "could not read $SIGN_PASS_FILE (SIGN_PASS_FILE)"

    split_chain "$work/chain"
    for f in "$work"/chain/*.pem; do
        if [ ! -e "$work/leaf.pem" ] && ! is_ca "$f"; then cp "$f" "$work/leaf.pem"; fi
    done
    [ -e "$work/leaf.pem" ] || die "$SIGN_CERTS holds no signing certificate, only CA certificates"
    for f in "$work"/chain/*.pem; do check_certificate "$f" no; done
    check_certificate "$work/leaf.pem" yes
    read_key_source "$work"

    local builds
    if [ -n "$keep" ]; then builds=$keep; mkdir -p "$builds"; else builds=$stage/builds; fi
    build_commit "$builds" "$commit"

    local packs=()
    for arch in i686 x86_64; do
        build=$built/build
        [ $arch = i686 ] || build=$built/build/x86_64
        name=ClickPocket-$(version_of "$build")-$arch
        # Laid out as a build folder for tools/pack.sh: dist/ and the version's cache.
        mkdir -p "$work/$arch/dist" "$release/signatures/$name"
        ln -s "$(cd "$build" && pwd)/CMakeCache.txt" "$work/$arch/CMakeCache.txt"
        cp "$build"/dist/* "$work/$arch/dist/"
        for f in "${signed_files[@]}"; do
            sign_file "$build/dist/$f" "$work/$arch/dist/$f" "$work/sign.log"
            extract_signature "$work/$arch/dist/$f" "$release/signatures/$name/$f.pem"
            # What make check-release will do with the published signature must
            # give these very bytes.
            attach_signature "$release/signatures/$name/$f.pem" "$build/dist/$f" "$work/attached" &&
                cmp -s "$work/attached" "$work/$arch/dist/$f" ||
                die "the detached signature of $name/$f does not reproduce the signed file"
        done
        packs+=("$arch=$work/$arch")
    done
    # The clone's own packer, as make check-release packs.
    "$built/tools/pack.sh" "$release" "${packs[@]}" >/dev/null
    echo "$commit" >"$release/signatures/COMMIT"
    [ -z "${RELEASE_URL:-}" ] || "$top/tools/manifests.py" write "$release" "$RELEASE_URL" >/dev/null || exit 1

    mv "$release" "$out"
    (cd "$out" && find . -type f | sed 's|^\./||' | sort | sed "s|^|$out/|")
    local stamp
    if [ -n "${SIGN_TIMESTAMP:-}" ]; then
        stamp="timestamped by $SIGN_TIMESTAMP"
    else
        stamp="NOT timestamped: the signatures end with the certificate, on $(openssl x509 -in "$work/leaf.pem" -noout -enddate | cut -d= -f2)"
    fi
    echo "$me: signed by \"$(subject_of "$signer")\", $stamp; commit $commit"
}

# --- verify ------------------------------------------------------------------

# The archives of a release folder, as SHA256SUMS lists them, after checking them
# against it. Every archive in the folder must be listed: one that is not would be
# published unchecked.
archives_of() {   # <release folder>
    [ -f "$1/SHA256SUMS" ] || die "no SHA256SUMS in $1"
    grep -q . "$1/SHA256SUMS" || die "SHA256SUMS in $1 is empty: it lists no archive"
    local bad listed zip
    bad=$(cd "$1" && sha256sum -c SHA256SUMS 2>/dev/null | grep -v ': OK$' | cut -d: -f1 | xargs) || true
    [ -z "$bad" ] || die "$bad in $1 does not match SHA256SUMS"
    listed=$(awk '{ sub(/^\*/, "", $2); sub(/^\.\//, "", $2); print $2 }' "$1/SHA256SUMS")
    for zip in "$1"/*.zip; do
        [ -e "$zip" ] || continue
        grep -qxF "${zip##*/}" <<<"$listed" || die "${zip##*/} in $1 is not in SHA256SUMS"
    done
    echo "$listed"
}

# Why osslsigncode's verify refused a file, in a few words.
verify_failure() {   # <log>
    if grep -q 'No signature found' "$1"; then
        echo "not signed"
    elif grep -qi 'message digest.*MISMATCH' "$1"; then
        echo "altered after signing (its digest does not match the signature)"
    else
        echo "the signature does not verify against $2: $(grep -o -m1 -e 'Verify error:.*' -e 'Error: .*' "$1" || echo unknown error)"
    fi
}

verify_release() {   # <release folder> <CA file>
    me="make verify-signed"
    local dir=${1:-} ca=${2:-} tmp archives archive f count=0 failed=0
    [ -n "$dir" ] && [ -d "$dir" ] || die "no signed release folder at '${dir}' (SIGNED)"
    [ -n "$ca" ] && [ -r "$ca" ] || die "no CA file at '${ca}' (CA)"
    need_tools "$OSSLSIGNCODE" unzip sha256sum
    archives=$(archives_of "$dir")
    tmp=$(mktemp -d)
    scratch+=("$tmp")
    for archive in $archives; do
        unzip -q "$dir/$archive" -d "$tmp/${archive%.zip}"
        local found=0
        for f in $(cd "$tmp/${archive%.zip}" && find . -type f \( -iname '*.exe' -o -iname '*.dll' \) | sed 's|^\./||' | sort); do
            found=1 count=$((count + 1))
            if "$OSSLSIGNCODE" verify -CAfile "$ca" -in "$tmp/${archive%.zip}/$f" >"$tmp/verify.log" 2>&1; then
                echo "signed: ${archive%.zip}/$f"
            else
                echo "$me: ${archive%.zip}/$f: $(verify_failure "$tmp/verify.log" "$ca")" >&2
                failed=1
            fi
        done
        [ $found = 1 ] || { echo "$me: $archive holds no program or library" >&2; failed=1; }
    done
    [ $failed = 0 ] || exit 1
    echo "$me: all $count files in $dir carry valid signatures from a certificate of $ca"
}

# --- check against the source --------------------------------------------------

# Builds the release's commit in a clean clone (or reuses one made by an earlier
# check of the same commit), attaches the published signatures to the fresh
# files, packs them as make sign did and compares the archives byte for byte.
check_release() {   # <release folder> [<work folder>]
    me="make check-release"
    local dir=${1:-} keep=${2:-} commit work archive name arch f sig
    [ -n "$dir" ] && [ -d "$dir" ] || die "no signed release folder at '${dir}' (SIGNED)"
    need_tools "$OSSLSIGNCODE" git make unzip cmp
    [ -f "$dir/signatures/COMMIT" ] || die "no signatures/COMMIT in $dir: which commit it was built from is unknown"
    commit=$(cat "$dir/signatures/COMMIT")
    [[ $commit =~ ^[0-9a-f]{40}$ ]] || die "signatures/COMMIT in $dir holds no commit id"
    git -C "$top" cat-file -e "$commit^{commit}" 2>/dev/null ||
        die "commit $commit is not in this clone: fetch it first (git fetch <origin> $commit)"
    local archives
    archives=$(archives_of "$dir")

    if [ -n "$keep" ]; then
        work=$keep
        mkdir -p "$work"
    else
        work=$(mktemp -d)
        scratch+=("$work")
    fi
    build_commit "$work" "$commit"

    rm -rf "$work/attached" "$work/package"
    local packs=()
    for archive in $archives; do
        name=${archive%.zip} arch=${name##*-}
        case $arch in
            i686) f=$built/build ;;
            x86_64) f=$built/build/x86_64 ;;
            *) die "$archive is not an archive of make dist" ;;
        esac
        mkdir -p "$work/attached/$arch/dist"
        ln -s "$f/CMakeCache.txt" "$work/attached/$arch/CMakeCache.txt"
        cp "$f"/dist/* "$work/attached/$arch/dist/"
        for f in "${signed_files[@]}"; do
            sig=$dir/signatures/$name/$f.pem
            [ -f "$sig" ] || die "no published signature $sig"
            attach_signature "$sig" "$work/attached/$arch/dist/$f" "$work/attached/$arch/dist/$f.signed" ||
                die "the signature $sig does not fit $name/$f of commit $commit"
            mv "$work/attached/$arch/dist/$f.signed" "$work/attached/$arch/dist/$f"
        done
        packs+=("$arch=$work/attached/$arch")
    done
    # The clone's own packer, dated by its own commit, as make sign packed.
    "$built/tools/pack.sh" "$work/package" "${packs[@]}" >/dev/null
    for archive in $archives; do
        cmp -s "$work/package/$archive" "$dir/$archive" || die "$(first_difference "$work" "$dir" "$archive" "$commit")"
    done
    echo "$me: $dir is exactly commit $commit plus the maker's signatures ($(echo $archives | wc -w) archives)"
}

# Names what differs between a rebuilt archive and a published one.
first_difference() {   # <work folder> <release folder> <archive> <commit>
    local work=$1 dir=$2 archive=$3 commit=$4 entry
    rm -rf "$work/ours" "$work/theirs"
    unzip -q "$work/package/$archive" -d "$work/ours"
    unzip -q "$dir/$archive" -d "$work/theirs" 2>/dev/null || { echo "$archive is not a readable archive"; return; }
    for entry in $(cd "$work/theirs" && find . -type f | sed 's|^\./||' | sort) $(cd "$work/ours" && find . -type f | sed 's|^\./||' | sort); do
        cmp -s "$work/ours/$entry" "$work/theirs/$entry" && continue
        case $entry in
            *.exe|*.dll) echo "${archive%.zip}/$entry is not commit $commit's file with its published signature" ;;
            *) echo "${archive%.zip}/$entry is not commit $commit's file" ;;
        esac
        return
    done
    echo "$archive differs from commit $commit plus the signatures (in its entries' names, order or times)"
}

case ${1:-} in
    sign)   shift; sign_release "$@" ;;
    verify) shift; verify_release "$@" ;;
    check)  shift; check_release "$@" ;;
    *) echo "usage: $0 sign|verify|check ..." >&2; exit 2 ;;
esac
