#!/usr/bin/env bash
# Signed releases on real parts: a throw-away certificate authority made here
# with openssl, one key signed for by it three ways (code signing, TLS only,
# expired), held once in a PKCS#12 file and once on a SoftHSM2 token reached
# through OpenSSL's PKCS#11 engine. Only public parts outlive the run: the
# signed release and the authority's certificate, in <build>/signed, for the
# check against the source and the e2e pass over the signed program folder.
# Usage: signing.sh sign|source <source folder> <x86_64 build folder>
set -euo pipefail
mode=$1 src=$2 build=$3
kept=$build/signed
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"
fail() { echo "FAIL: $*" >&2; exit 1; }
# make as a maker types it, in the tree under test: nothing comes from make test's
# own make, nor from signing inputs in the environment.
mk() { env -u MAKEFLAGS -u MAKELEVEL -u MFLAGS -u SIGN_CERTS -u SIGN_PKCS12 -u SIGN_PKCS11_MODULE -u SIGN_KEY \
           -u SIGN_PASS_FILE -u SIGN_TIMESTAMP make -s --no-print-directory -C "$src" BUILD="$(dirname "$build")" "$@"; }
# What a make target said on stderr, less make's own closing line.
said() { grep -v '^make\(\[[0-9]*\]\)\?: \*\*\*' "$1" || true; }

make_authority() {
    printf '[ca]\ndefault_ca=t\n[t]\ndatabase=index\nnew_certs_dir=.\nserial=serial\ndefault_md=sha256\npolicy=p\nunique_subject=no\n[p]\ncommonName=supplied\n' >ca.cnf
    : >index; echo 01 >serial
    for k in root int key; do openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out $k.key 2>/dev/null; done
    openssl req -x509 -key root.key -out root.pem -days 2 -subj "/CN=ClickPocket test root" \
        -addext basicConstraints=critical,CA:true -addext keyUsage=critical,keyCertSign
    issue int int root 'basicConstraints=critical,CA:true\nkeyUsage=critical,keyCertSign'
    issue signer key int 'keyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning'
    issue tls key int 'keyUsage=critical,digitalSignature\nextendedKeyUsage=serverAuth'
    issue expired key int 'keyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning' \
        -startdate 20200101000000Z -enddate 20200201000000Z
    for c in signer tls expired; do cat $c.pem int.pem >$c.chain; done
    openssl rand -hex 8 >pin; openssl rand -hex 8 >password
    openssl pkcs12 -export -inkey key.key -in signer.pem -passout file:password -out signer.p12
    export SOFTHSM2_CONF=$tmp/softhsm2.conf
    mkdir tokens; printf 'directories.tokendir = %s/tokens\nobjectstore.backend = file\n' "$tmp" >softhsm2.conf
    softhsm2-util --init-token --free --label cptest --so-pin "$(openssl rand -hex 8)" --pin "$(cat pin)" >/dev/null
    softhsm2-util --import key.key --token cptest --label signer --id 01 --pin "$(cat pin)" >/dev/null
    rm key.key      # from here on the key is on the token and in the PKCS#12 file alone
}
issue() {   # <name> <key> <issuer> <extensions> [openssl ca dates]
    local name=$1 key=$2 issuer=$3 ext=$4; shift 4
    [ $# -gt 0 ] || set -- -days 1
    printf "$ext\n" >"$name.ext"
    openssl req -new -key "$key.key" -subj "/CN=ClickPocket test $name" -out "$name.csr"
    openssl ca -batch -notext -config ca.cnf -cert "$issuer.pem" -keyfile "$issuer.key" \
        -in "$name.csr" -out "$name.pem" -extfile "$name.ext" "$@" 2>/dev/null
}
flip_byte() { local b; b=$(od -An -tu1 -j "$2" -N1 "$1" | tr -d ' ')
    printf "\\$(printf %03o $((b ^ 255)))" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none; }
free_port() { local p; for p in $(seq 47000 47100); do
    (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null || { echo "$p"; return; }; done; fail "no free port"; }

sign_test() {
    make_authority
    local module=/usr/lib/softhsm/libsofthsm2.so out=$tmp/out what path overrides expect arch file
    local token=(SIGN_CERTS="$tmp/signer.chain" SIGN_PKCS11_MODULE="$module"
                 "SIGN_KEY=pkcs11:token=cptest;object=signer;type=private" SIGN_PASS_FILE="$tmp/pin")
    local pkcs12=(SIGN_CERTS="$tmp/signer.chain" SIGN_PKCS12="$tmp/signer.p12" SIGN_PASS_FILE="$tmp/password")
    mk sign "${pkcs12[@]}" SIGN_OUT="$out" >log 2>&1 || { cat log; fail "make sign from a PKCS#12 file"; }
    mk verify-signed SIGNED="$out" CA="$tmp/root.pem" >/dev/null || fail "verify-signed, PKCS#12"
    # The PIN through a pipe, as a release script hands one held in its environment.
    mk sign "${token[@]}" SIGN_PASS_FILE=/dev/stdin SIGN_OUT="$out" <pin >log 2>&1 ||
        { cat log; fail "make sign from the token"; }
    mk verify-signed SIGNED="$out" CA="$tmp/root.pem" | tee log | tail -n 1
    [ "$(grep -c '^signed: ' log)" = 4 ] || fail "not four signed files"
    [ "$(ls "$out" | xargs)" = "ClickPocket-$version-i686.zip ClickPocket-$version-x86_64.zip SHA256SUMS signatures" ] ||
        fail "release folder: $(ls "$out" | xargs)"
    rm -rf "$kept" && mkdir -p "$kept" && cp -r "$out" "$kept/release" && cp root.pem "$kept/ca.pem"
    unzip -q "$out/ClickPocket-$version-x86_64.zip" -d "$kept"

    # An altered library and a program that was never signed, each in an archive
    # whose SHA256SUMS was made anew: the signatures alone must catch them.
    while IFS='|' read -r what arch file expect; do
        local name=ClickPocket-$version-$arch
        rm -rf bad unpacked && cp -r "$out" bad && unzip -q "bad/$name.zip" -d unpacked
        if [ "$what" = altered ]; then flip_byte "unpacked/$name/$file" 4096
        else cp "$( [ "$arch" = x86_64 ] && echo "$build" || dirname "$build")/dist/$file" "unpacked/$name/$file"; fi
        (cd unpacked && zip -q "../bad/$name.zip" "$name/$file") && (cd bad && sha256sum ./*.zip >SHA256SUMS)
        if mk verify-signed SIGNED="$tmp/bad" CA="$tmp/root.pem" >/dev/null 2>err; then fail "$what $file verified"; fi
        grep -qx "make verify-signed: $name/$file: $expect.*" err || fail "$what: $(said err)"
    done <<'EOF'
altered|x86_64|ClickPocket.dll|altered after signing
unsigned|i686|ClickPocket.exe|not signed
EOF

    # Each bad input: one line, a non-zero exit, and no archive (the release made
    # above is gone too, lest it be taken for this run's).
    while IFS='|' read -r what path overrides expect; do
        local base=("${token[@]}"); [ "$path" = pkcs12 ] && base=("${pkcs12[@]}")
        if mk sign "${base[@]}" $overrides SIGN_OUT="$out" >/dev/null 2>err; then fail "$what: signed"; fi
        [ "$(said err | wc -l)" = 1 ] && [[ $(said err) == "make sign: "*"$expect"* ]] || fail "$what: $(said err)"
        [ ! -e "$out" ] && [ -z "$(find "$tmp" -maxdepth 1 -name '.out.*')" ] || fail "$what: a release was left"
        echo "$what: $(said err)"
    done <<EOF
missing tool|token|OSSLSIGNCODE=$tmp/none/osslsigncode|osslsigncode not found
missing module|token|SIGN_PKCS11_MODULE=$tmp/none.so|no PKCS#11 module at
missing token|token|SIGN_KEY=pkcs11:token=absent;object=signer;type=private|no token matching
missing key on the token|token|SIGN_KEY=pkcs11:token=cptest;object=absent;type=private|no private key matching
missing key file|pkcs12|SIGN_PKCS12=$tmp/none.p12|no PKCS#12 file at
missing certificate|token|SIGN_CERTS=$tmp/none.pem|no certificate chain (PEM) at
wrong PIN|token|SIGN_PASS_FILE=$tmp/password|wrong PIN
wrong password|pkcs12|SIGN_PASS_FILE=$tmp/pin|wrong password
no code-signing usage|token|SIGN_CERTS=$tmp/tls.chain|is not for code signing
expired certificate|pkcs12|SIGN_CERTS=$tmp/expired.chain|expired on
unreachable timestamp server|token|SIGN_TIMESTAMP=http://127.0.0.1:$(free_port)/|could not be reached
EOF
}

# From a second clone: the kept release is this commit plus its signatures, and a
# release whose every signature still verifies but whose readme was changed is not.
source_test() {
    if [ -n "$(git -C "$src" status --porcelain --untracked-files=no)" ]; then
        echo "uncommitted changes in $src: what was signed is no commit's build; skipped"
        exit 77
    fi
    local commit name=ClickPocket-$version-x86_64
    commit=$(git -C "$src" rev-parse HEAD)
    mk check-release SIGNED="$kept/release" KEEP="$tmp/check" | tee log
    grep -qx "make check-release: $kept/release is exactly commit $commit plus the maker's signatures (2 archives)" log ||
        fail "check-release"
    cp -r "$kept/release" bad && unzip -q "bad/$name.zip" -d unpacked && echo >>"unpacked/$name/readme.txt"
    (cd unpacked && zip -q "../bad/$name.zip" "$name/readme.txt") && (cd bad && sha256sum ./*.zip >SHA256SUMS)
    mk verify-signed SIGNED="$tmp/bad" CA="$kept/ca.pem" >/dev/null || fail "verify-signed of the changed readme"
    if mk check-release SIGNED="$tmp/bad" KEEP="$tmp/check" 2>err; then fail "check-release passed a changed readme"; fi
    said err
    [ "$(said err)" = "make check-release: $name/readme.txt is not commit $commit's file" ] || fail "check-release said: $(said err)"
}

"${mode}_test"
echo "passed"
