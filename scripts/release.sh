#!/bin/sh
# Makes a release of the installer (make release):
#
#   scripts/release.sh [EXE]
#
# writes RELEASE_DIR/tessaly-setup.exe (build/release by default) from EXE
# (the shipped build/windows/tessaly-setup.exe by default) and beside it
# tessaly-setup.exe.sha256, which `sha256sum -c` checks.
#
# With SIGN_CERT and SIGN_KEY (PEM files: the code-signing certificate and
# its private key, unencrypted) the exe is signed with Authenticode, SHA-256,
# through osslsigncode, described as "Tessaly Installer"; the signature is
# timestamped only when SIGN_TIMESTAMP_URL names an RFC 3161 time-stamping
# server. Without them the release is unsigned, and this says so.
#
# Bad input stops with a message naming it and exit code 1, and leaves no
# release behind: the old one is removed first, and the new one appears only
# once it is complete.
set -eu

fail() {
    printf 'release: %s\n' "$*" >&2
    exit 1
}

source_dir=$(cd "$(dirname "$0")/.." && pwd)
exe=${1:-$source_dir/build/windows/tessaly-setup.exe}
out=${RELEASE_DIR:-$source_dir/build/release}
cert=${SIGN_CERT:-}
key=${SIGN_KEY:-}

mkdir -p "$out"
rm -f "$out/tessaly-setup.exe" "$out/tessaly-setup.exe.sha256"
[ -f "$exe" ] || fail "no installer at $exe: build it first (make windows)"

work=$(mktemp -d "$out/.release.XXXXXX")
trap 'rm -rf "$work"' EXIT

if [ -n "$cert$key" ]; then
    [ -n "$cert" ] || fail "SIGN_KEY is given but SIGN_CERT is not"
    [ -n "$key" ] || fail "SIGN_CERT is given but SIGN_KEY is not"
    [ -f "$cert" ] && [ -r "$cert" ] || fail "cannot read the certificate $cert"
    [ -f "$key" ] && [ -r "$key" ] || fail "cannot read the private key $key"
    openssl x509 -in "$cert" -noout -pubkey >"$work/cert.pub" 2>"$work/openssl.log" ||
        fail "$cert is not a PEM certificate: $(head -n 1 "$work/openssl.log")"
    openssl pkey -in "$key" -passin pass: -pubout >"$work/key.pub" 2>"$work/openssl.log" ||
        fail "$key is not an unencrypted PEM private key: $(head -n 1 "$work/openssl.log")"
    cmp -s "$work/cert.pub" "$work/key.pub" ||
        fail "the private key $key does not belong to the certificate $cert"
    set -- sign -certs "$cert" -key "$key" -h sha256 -n "Tessaly Installer"
    if [ -n "${SIGN_TIMESTAMP_URL:-}" ]; then
        set -- "$@" -ts "$SIGN_TIMESTAMP_URL"
    fi
    osslsigncode "$@" -in "$exe" -out "$work/tessaly-setup.exe" >"$work/sign.log" 2>&1 ||
        fail "osslsigncode could not sign: $(tail -n 3 "$work/sign.log" | tr '\n' ' ')"
    # The signature must cover the file as written: its digest recalculated
    # from the file equals the signed one.
    osslsigncode verify -in "$work/tessaly-setup.exe" >"$work/verify.log" 2>&1 || true
    current=$(sed -n 's/^Current message digest *: *//p' "$work/verify.log" | head -n 1)
    calculated=$(sed -n 's/^Calculated message digest *: *//p' "$work/verify.log" | head -n 1)
    [ -n "$current" ] && [ "$current" = "$calculated" ] ||
        fail "the signed file does not match its signature (see osslsigncode verify)"
    signed="signed by $(openssl x509 -in "$cert" -noout -subject | sed 's/^subject= *//')"
    [ -n "${SIGN_TIMESTAMP_URL:-}" ] && signed="$signed, timestamped by $SIGN_TIMESTAMP_URL"
else
    cp "$exe" "$work/tessaly-setup.exe"
    signed="UNSIGNED: set SIGN_CERT and SIGN_KEY (PEM files) to sign it"
fi

(cd "$work" && sha256sum tessaly-setup.exe >tessaly-setup.exe.sha256)
mv "$work/tessaly-setup.exe" "$out/tessaly-setup.exe"
mv "$work/tessaly-setup.exe.sha256" "$out/tessaly-setup.exe.sha256"
printf 'release: %s (%d bytes), %s\n' "$out/tessaly-setup.exe" \
    "$(stat -c %s "$out/tessaly-setup.exe")" "$signed"
printf 'release: sha256 %s\n' "$(cut -d' ' -f1 "$out/tessaly-setup.exe.sha256")"
