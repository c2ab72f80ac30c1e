#!/usr/bin/env bash
# Signing as a publisher would, with a throwaway self-signed certificate: the signed
# program verifies, one changed byte of its payload breaks the signature, a wrong
# password signs nothing, and the password shows nowhere.
# Usage: signing.sh EXE RELEASE-SCRIPT
set -u
exe=$(realpath "$1") release=$(realpath "$2")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
secret=pw-$RANDOM-$RANDOM

openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 -subj "/CN=Vaskel Test Publisher" \
  -addext extendedKeyUsage=codeSigning -addext keyUsage=digitalSignature 2>/dev/null || { echo "FAIL: openssl req"; exit 1; }
printf '%s\n' "$secret" >password
openssl pkcs12 -export -inkey key.pem -in cert.pem -out cert.p12 -passout file:password || { echo "FAIL: openssl pkcs12"; exit 1; }

log=$(VASKEL_SIGN_PKCS12=cert.p12 VASKEL_SIGN_PASSWORD=$secret VASKEL_SIGN_CAFILE=cert.pem \
      "$release" --exe "$exe" --out signed.exe 2>&1) || fail "the release script failed: $log"
grep -qF "$secret" <<<"$log" && fail "the password was printed"
grep -qF "size $(stat -c %s signed.exe) bytes" <<<"$log" || fail "no size of the signed file: $log"
grep -qF "SHA-256 $(sha256sum signed.exe | cut -d' ' -f1)" <<<"$log" || fail "no SHA-256 of the signed file: $log"
osslsigncode verify -CAfile cert.pem -in signed.exe >verify.log 2>&1 || fail "verify fails: $(tail -n 3 verify.log)"

# One byte of the embedded vaskel.ini, inside the signed image.
at=$(grep -obUa $'\\[Config\\]\r\nLastProject=NoName' signed.exe | head -n 1 | cut -d: -f1)
if [ -z "$at" ]; then
  fail "the payload's vaskel.ini is not in the program"
else
  cp signed.exe changed.exe
  printf 'X' | dd of=changed.exe bs=1 seek=$((at + 1)) conv=notrunc status=none
  osslsigncode verify -CAfile cert.pem -in changed.exe >/dev/null 2>&1 && fail "verify passes a changed payload"
fi

printf 'not-%s\n' "$secret" >wrong
log=$(VASKEL_SIGN_PKCS12=cert.p12 VASKEL_SIGN_PASSWORD_FILE=wrong "$release" --exe "$exe" --out refused.exe 2>&1) &&
  fail "signed with a wrong password"
[ -e refused.exe ] && fail "a wrong password left an output"
grep -qF "$secret" <<<"$log" && fail "the password was printed"

[ "$failures" = 0 ] && echo "signing: signed, verified, a changed payload refused"
exit $((failures > 0))
