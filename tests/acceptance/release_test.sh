#!/bin/bash
# make release (scripts/release.sh): a release signed with a throwaway
# self-signed certificate verifies with osslsigncode and its checksum file,
# a changed byte breaks the signature, bad certificates and keys stop it with
# a message and leave no release behind, an unsigned release says so, and
# the signed exe still installs under Wine (its payload is read from its
# resources, which signing must not disturb).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/installer_ui.sh"
acc_begin release
export TZ=UTC

RELEASE=$ACC_SOURCE_DIR/scripts/release.sh
OUT=$ACC_OUT/release
KEYS=$ACC_OUT/keys
mkdir -p "$KEYS"
unset SIGN_CERT SIGN_KEY SIGN_TIMESTAMP_URL

# A self-signed code-signing certificate and its key, and a second key.
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$KEYS/key.pem" -out "$KEYS/cert.pem" -days 2 \
    -subj "/CN=Tessaly release test" -addext "extendedKeyUsage=codeSigning" >/dev/null 2>&1
openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:2048 -out "$KEYS/other-key.pem" >/dev/null 2>&1
printf 'not a certificate\n' >"$KEYS/garbage.pem"

# Runs the release script on the installer for 32-bit Windows; its output
# in RELEASE_OUTPUT, its exit code in RELEASE_CODE.
release() {  # [VAR=value...]
    RELEASE_OUTPUT=$(env RELEASE_DIR="$OUT" "$@" "$RELEASE" "$ACC_INSTALLER" 2>&1 </dev/null)
    RELEASE_CODE=$?
    printf '%s\n' "$RELEASE_OUTPUT" | sed 's/^/    /'
}

# Verifies a signed file against the test certificate.
verify() { osslsigncode verify -in "$1" -CAfile "$KEYS/cert.pem" >"$ACC_OUT/verify.log" 2>&1; }

acc_choose_windows 32

acc_case "signed with a certificate and its key: the signature covers the file"
release SIGN_CERT="$KEYS/cert.pem" SIGN_KEY="$KEYS/key.pem"
acc_expect_eq 0 "$RELEASE_CODE" "exit code"
if verify "$OUT/tessaly-setup.exe"; then
    acc_log "$(grep -E '^\s*(Signature verification|Text description|Timestamp)' "$ACC_OUT/verify.log" |
        tr -d '\t' | paste -sd ';')"
else
    acc_fail "osslsigncode verify failed (see $ACC_OUT/verify.log)"
fi
# What the signature added after the exe's own bytes: the description, and
# neither kind of timestamp (an RFC 3161 token, an Authenticode
# countersignature), looked up by their DER encodings.
acc_expect_eq "description=yes rfc3161=no countersignature=no" "$(python3 - "$ACC_INSTALLER" "$OUT/tessaly-setup.exe" <<'PY'
import os, sys
added = open(sys.argv[2], "rb").read()[os.path.getsize(sys.argv[1]):]
has = lambda b: "yes" if b in added else "no"
print("description=%s rfc3161=%s countersignature=%s" % (
    "yes" if "Tessaly Installer".encode("utf-16-be") in added or b"Tessaly Installer" in added else "no",
    has(bytes.fromhex("060b2a864886f70d010910020e")), has(bytes.fromhex("06092a864886f70d010906"))))
PY
)" "what the signature holds"
(cd "$OUT" && sha256sum -c --quiet tessaly-setup.exe.sha256) || acc_fail "the checksum file does not match"
cp "$OUT/tessaly-setup.exe" "$ACC_OUT/tampered.exe"
printf '\x55' | dd of="$ACC_OUT/tampered.exe" bs=1 seek=4096 conv=notrunc 2>/dev/null
! verify "$ACC_OUT/tampered.exe" || acc_fail "a changed byte still verifies"
cp "$OUT/tessaly-setup.exe" "$ACC_OUT/signed.exe"

acc_case "bad input stops the release with a message and leaves none behind"
while IFS='|' read -r what cert key message; do
    release SIGN_CERT="$cert" SIGN_KEY="$key"
    acc_expect_eq 1 "$RELEASE_CODE" "exit code for $what"
    acc_expect_contains "$RELEASE_OUTPUT" "$message" "message for $what"
    [ ! -e "$OUT/tessaly-setup.exe" ] && [ ! -e "$OUT/tessaly-setup.exe.sha256" ] ||
        acc_fail "a release is left behind after $what"
    [ -z "$(ls -A "$OUT")" ] || acc_fail "files are left behind after $what: $(ls -A "$OUT")"
done <<EOF
a missing certificate|$KEYS/none.pem|$KEYS/key.pem|cannot read the certificate
a folder for a certificate|$KEYS|$KEYS/key.pem|cannot read the certificate
a file that is no certificate|$KEYS/garbage.pem|$KEYS/key.pem|is not a PEM certificate
a key that is not the certificate's|$KEYS/cert.pem|$KEYS/other-key.pem|does not belong to the certificate
a key without a certificate||$KEYS/key.pem|SIGN_KEY is given but SIGN_CERT is not
EOF

acc_case "without a certificate the release is unsigned and says so"
release
acc_expect_eq 0 "$RELEASE_CODE" "exit code"
acc_expect_contains "$RELEASE_OUTPUT" "UNSIGNED" "the notice"
cmp -s "$ACC_INSTALLER" "$OUT/tessaly-setup.exe" || acc_fail "the unsigned release is not the built exe"

acc_case "the signed exe installs: every file with its date"
acc_new_prefix win32 32
cp "$ACC_OUT/signed.exe" "$(acc_drive_c)/tessaly-setup.exe"
ACC_INSTALLER='C:\tessaly-setup.exe'
if setup_and_install signed; then
    answer_completion signed
    acc_expect_exit 0 "exit code of the installation"
    expect_installed "$(acc_drive_c)/kr"
fi

acc_end
