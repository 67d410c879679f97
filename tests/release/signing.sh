#!/usr/bin/env bash
# Signed releases on real parts: a throw-away certificate authority made here
# with openssl, one key signed for by it three ways (code signing, TLS only,
# expired), held once in a PKCS#12 file and once on a SoftHSM2 token reached
# through OpenSSL's PKCS#11 engine, and a timestamp authority of its own that
# answers RFC 3161 requests on a 127.0.0.1 port (openssl ts). make sign runs in a
# clone of the tree under test, never in the tree itself: the clone holds the
# tree's tracked changes as a commit, so a tree with uncommitted work is tested
# as it is. Only public parts outlive the run, in <build>/signed: the signed
# release, the authority's certificate and that clone, for the check against the
# source and the e2e pass over the signed program folder.
# Usage: signing.sh sign|source <source folder> <x86_64 build folder>
set -euo pipefail
mode=$1 src=$2 build=$3
kept=$build/signed
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
url=https://releases.example/clickpocket/$version/
tmp=$(mktemp -d)
tsa=
trap '[ -z "$tsa" ] || kill "$tsa" 2>/dev/null; rm -rf "$tmp"' EXIT
cd "$tmp"
fail() { echo "FAIL: $*" >&2; exit 1; }
# make as a maker types it, in the given tree: nothing comes from make test's own
# make, nor from signing inputs in the environment.
mk_in() { local tree=$1; shift
          env -u MAKEFLAGS -u MAKELEVEL -u MFLAGS -u SIGN_CERTS -u SIGN_PKCS12 -u SIGN_PKCS11_MODULE -u SIGN_KEY \
              -u SIGN_PASS_FILE -u SIGN_TIMESTAMP -u SIGN_NO_TIMESTAMP -u RELEASE_URL -u KEEP \
              make -s --no-print-directory -C "$tree" "$@"; }
mk() { mk_in "$tmp/src" "$@"; }
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
free_port() { local p; for p in $(shuf -i 47000-47999 -n 100); do
    (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null || { echo "$p"; return; }; done; fail "no free port"; }

# The timestamp authority: a certificate for time stamping from the test
# intermediate, and openssl ts answering each request POSTed to 127.0.0.1:<port>.
start_tsa() {
    openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out tsa.key 2>/dev/null
    issue tsa tsa int 'keyUsage=critical,digitalSignature\nextendedKeyUsage=critical,timeStamping'
    cat tsa.pem int.pem >tsa.chain; echo 01 >tsa.serial
    printf '[tsa]\ndefault_tsa=t\n[t]\nserial=%s/tsa.serial\nsigner_cert=%s/tsa.pem\ncerts=%s/tsa.chain\nsigner_key=%s/tsa.key\nsigner_digest=sha256\ndefault_policy=1.2.3.4.1\ndigests=sha256,sha384,sha512\naccuracy=secs:1\ness_cert_id_alg=sha256\n' \
        "$tmp" "$tmp" "$tmp" "$tmp" >tsa.cnf
    local port; port=$(free_port)
    python3 - "$tmp/tsa.cnf" "$port" <<'EOF' &
import http.server, os, subprocess, sys, tempfile
class Responder(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        with tempfile.TemporaryDirectory() as d:
            query, reply = os.path.join(d, "query"), os.path.join(d, "reply")
            with open(query, "wb") as f:
                f.write(self.rfile.read(int(self.headers.get("Content-Length", 0))))
            ok = subprocess.run(["openssl", "ts", "-reply", "-config", sys.argv[1], "-queryfile", query,
                                 "-out", reply], capture_output=True).returncode == 0
            body = open(reply, "rb").read() if ok else b""
        self.send_response(200 if ok else 500)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)
    def log_message(self, *args):
        pass
http.server.HTTPServer(("127.0.0.1", int(sys.argv[2])), Responder).serve_forever()
EOF
    tsa=$!
    timestamp=http://127.0.0.1:$port/
    local i; for i in $(seq 50); do (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && return; sleep 0.1; done
    fail "the timestamp authority did not start"
}

# The tree under test as a clean clone: its tracked changes, if any, committed.
clone_tree() {   # <clone>
    git clone -q "$src" "$1"
    git -C "$src" diff --binary HEAD | git -C "$1" apply --index --allow-empty
    git -C "$1" diff --cached --quiet ||
        git -C "$1" -c user.name=test -c user.email=test@invalid commit -q -m "the working tree under test"
}

sign_test() {
    make_authority
    start_tsa
    clone_tree "$tmp/src"
    local module=/usr/lib/softhsm/libsofthsm2.so out=$tmp/out what path overrides expect arch file name
    local token=(SIGN_CERTS="$tmp/signer.chain" SIGN_PKCS11_MODULE="$module" SIGN_TIMESTAMP="$timestamp"
                 "SIGN_KEY=pkcs11:token=cptest;object=signer;type=private" SIGN_PASS_FILE="$tmp/pin" KEEP="$tmp/build")
    local pkcs12=(SIGN_CERTS="$tmp/signer.chain" SIGN_PKCS12="$tmp/signer.p12" SIGN_PASS_FILE="$tmp/password"
                  SIGN_NO_TIMESTAMP=1 KEEP="$tmp/build")
    mk sign "${pkcs12[@]}" SIGN_OUT="$out" >log 2>&1 || { cat log; fail "make sign from a PKCS#12 file"; }
    grep -q '^make sign: signed by ".*", NOT timestamped: the signatures end with the certificate, on ' log ||
        fail "no word that the signatures end with the certificate: $(tail -n 1 log)"
    mk verify-signed SIGNED="$out" CA="$tmp/root.pem" >/dev/null || fail "verify-signed, PKCS#12"
    # The PIN through a pipe, as a release script hands one held in its
    # environment; the signer must get it through a pipe too, never a file.
    printf '#!/bin/sh\n[ "$1" != sign ] || for a; do [ "$p" != -readpass ] || stat -L -c %%F "$a" >>%s/readpass; p=$a; done\nexec osslsigncode "$@"\n' \
        "$tmp" >spy && chmod +x spy
    mk sign "${token[@]}" SIGN_PASS_FILE=/dev/stdin OSSLSIGNCODE="$tmp/spy" RELEASE_URL="$url" SIGN_OUT="$out" <pin >log 2>&1 ||
        { cat log; fail "make sign from the token"; }
    [ "$(sort -u readpass | xargs)" = fifo ] && [ "$(wc -l <readpass)" = 4 ] || fail "the PIN reached the signer as: $(xargs <readpass)"
    grep -q "^make sign: signed by \".*\", timestamped by $timestamp; commit " log || fail "not timestamped: $(tail -n 1 log)"
    mk verify-signed SIGNED="$out" CA="$tmp/root.pem" | tee log | tail -n 1
    [ "$(grep -c '^signed: ' log)" = 4 ] || fail "not four signed files"
    [ "$(ls "$out" | xargs)" = "ClickPocket-$version-i686.zip ClickPocket-$version-x86_64.zip SHA256SUMS manifests signatures" ] ||
        fail "release folder: $(ls "$out" | xargs)"
    "$src/tools/manifests.py" check "$out" "$url" || fail "the signed release's manifests"
    rm -rf "$kept" && mkdir -p "$kept" && cp -r "$out" "$kept/release" && cp root.pem "$kept/ca.pem"
    git clone -q "$tmp/src" "$kept/source"
    unzip -q "$out/ClickPocket-$version-x86_64.zip" -d "$kept/ClickPocket-$version-x86_64"
    osslsigncode verify -CAfile root.pem -TSA-CAfile root.pem -in "$kept/ClickPocket-$version-x86_64/ClickPocket.exe" |
        grep -qx 'Timestamp Server Signature verification: ok' || fail "no timestamp that verifies"

    # An altered library and a program that was never signed, each in an archive
    # whose SHA256SUMS was made anew: the signatures alone must catch them. Sums
    # that list no archive, or not every one, pass nothing.
    while IFS='|' read -r what arch file expect; do
        name=ClickPocket-$version-$arch
        rm -rf bad unpacked && cp -r "$out" bad && unzip -q "bad/$name.zip" -d unpacked
        case $what in
            altered)  flip_byte "unpacked/$file" 4096 ;;
            unsigned) cp "$( [ "$arch" = x86_64 ] && echo "$build" || dirname "$build")/dist/$file" "unpacked/$file" ;;
        esac
        (cd unpacked && zip -q "../bad/$name.zip" "$file") && (cd bad && sha256sum ./*.zip >SHA256SUMS)
        case $what in
            empty)   : >bad/SHA256SUMS ;;
            partial) sed -i "/$name.zip/d" bad/SHA256SUMS ;;
        esac
        if mk verify-signed SIGNED="$tmp/bad" CA="$tmp/root.pem" >/dev/null 2>err; then fail "$what $file verified"; fi
        grep -qx "make verify-signed: ${expect//@/$name}.*" err || fail "$what: $(said err)"
    done <<'EOF'
altered|x86_64|ClickPocket.dll|@/ClickPocket.dll: altered after signing
unsigned|i686|ClickPocket.exe|@/ClickPocket.exe: not signed
empty|i686|readme.txt|SHA256SUMS in .* is empty
partial|i686|readme.txt|@.zip in .* is not in SHA256SUMS
EOF

    # Each bad input: one line, a non-zero exit, and no archive (the release made
    # above is gone too, lest it be taken for this run's).
    git clone -q "$tmp/src" "$tmp/dirty" && echo >>"$tmp/dirty/README.md"
    while IFS='|' read -r what path overrides expect; do
        local base=("${token[@]}") tree=$tmp/src
        [ "$path" = pkcs12 ] && base=("${pkcs12[@]}")
        [ "$path" = dirty ] && tree=$tmp/dirty
        if mk_in "$tree" sign "${base[@]}" $overrides SIGN_OUT="$out" >/dev/null 2>err; then fail "$what: signed"; fi
        [ "$(said err | wc -l)" = 1 ] && [[ $(said err) == "make "*"$expect"* ]] || fail "$what: $(said err)"
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
no timestamp server|token|SIGN_TIMESTAMP=|SIGN_TIMESTAMP is not set
uncommitted change|dirty||uncommitted changes (README.md)
release address without the version|token|RELEASE_URL=https://releases.example/clickpocket/latest/|names no folder of version $version
EOF
}

# From a second clone of the signed commit: the kept release is that commit plus
# its signatures, and a release whose every signature still verifies but whose
# readme was changed is not.
source_test() {
    local commit name=ClickPocket-$version-x86_64
    commit=$(git -C "$kept/source" rev-parse HEAD)
    mk() { mk_in "$kept/source" "$@"; }
    mk check-release SIGNED="$kept/release" KEEP="$tmp/check" | tee log
    grep -qx "make check-release: $kept/release is exactly commit $commit plus the maker's signatures (2 archives)" log ||
        fail "check-release"
    cp -r "$kept/release" bad && unzip -q "bad/$name.zip" -d unpacked && echo >>unpacked/readme.txt
    (cd unpacked && zip -q "../bad/$name.zip" readme.txt) && (cd bad && sha256sum ./*.zip >SHA256SUMS)
    mk verify-signed SIGNED="$tmp/bad" CA="$kept/ca.pem" >/dev/null || fail "verify-signed of the changed readme"
    if mk check-release SIGNED="$tmp/bad" KEEP="$tmp/check" 2>err; then fail "check-release passed a changed readme"; fi
    said err
    [ "$(said err)" = "make check-release: $name/readme.txt is not commit $commit's file" ] || fail "check-release said: $(said err)"
}

"${mode}_test"
echo "passed"
