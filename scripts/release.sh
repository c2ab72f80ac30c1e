#!/usr/bin/env bash
# Builds the release VaskelSetup.exe and, when the publisher names a certificate, signs
# it (Authenticode, SHA-256) and checks the signature. Prints the size and SHA-256 of
# what it made.
#
#   scripts/release.sh [--product FOLDER] [--out FILE] [--exe BUILT.exe]
#
#   --product FOLDER  the real product files (default: $VASKEL_PRODUCT_DIR; without
#                     either, the sample is embedded and the script says so)
#   --out FILE        where the result goes (default: build-release/VaskelSetup.exe)
#   --exe BUILT.exe   sign and report an executable already built, instead of building
#
# Signing, from the environment:
#   VASKEL_SIGN_PKCS12         the PKCS#12 (.pfx/.p12) file with the certificate and key
#   VASKEL_SIGN_PASSWORD       its password, or
#   VASKEL_SIGN_PASSWORD_FILE  a file holding it (one line)
#   VASKEL_SIGN_TIMESTAMP_URL  optional RFC 3161 time-stamping service, so that the
#                              signature outlives the certificate
#   VASKEL_SIGN_CAFILE         optional roots to check the signature against (default:
#                              the system's)
# The password is handed to osslsigncode through a pipe: it never appears in a command
# line, in the build's environment or in any output.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
product=${VASKEL_PRODUCT_DIR:-} out=$here/build-release/VaskelSetup.exe exe=
while [ $# -gt 0 ]; do
  case $1 in
    --product) product=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --exe) exe=$2; shift 2 ;;
    *) echo "release: unknown argument '$1' (see the top of $0)" >&2; exit 2 ;;
  esac
done
say() { echo "release: $*"; }
die() { echo "release: $*" >&2; exit 1; }

# Take the password out of the environment before anything else runs.
password= have_password=0
if [ -n "${VASKEL_SIGN_PASSWORD+set}" ]; then
  password=$VASKEL_SIGN_PASSWORD have_password=1
  unset VASKEL_SIGN_PASSWORD
fi
pkcs12=${VASKEL_SIGN_PKCS12:-}
if [ -n "$pkcs12" ]; then
  [ -r "$pkcs12" ] || die "VASKEL_SIGN_PKCS12: cannot read '$pkcs12'"
  if [ "$have_password" = 0 ]; then
    pwfile=${VASKEL_SIGN_PASSWORD_FILE:-}
    [ -n "$pwfile" ] || die "VASKEL_SIGN_PKCS12 is set: give its password in VASKEL_SIGN_PASSWORD or VASKEL_SIGN_PASSWORD_FILE"
    [ -r "$pwfile" ] || die "VASKEL_SIGN_PASSWORD_FILE: cannot read '$pwfile'"
    IFS= read -r password <"$pwfile" || true  # a last line without its line end still counts
    password=${password%$'\r'}
  fi
fi

if [ -z "$exe" ]; then
  "$here/scripts/bootstrap.sh"
  if [ -n "$product" ]; then
    product=$(cd "$product" && pwd) || die "--product: no folder '$product'"
    say "embedding the product in $product"
  else
    say "no product folder given: embedding the SAMPLE product (set --product or VASKEL_PRODUCT_DIR)"
  fi
  cd "$here"
  cmake --preset windows-x64-release -DVASKEL_PRODUCT_DIR="$product" >/dev/null
  cmake --build --preset windows-x64-release -j"$(nproc)"
  exe=$here/build-release/app/VaskelSetup.exe
fi
[ -f "$exe" ] || die "no executable at '$exe'"
mkdir -p "$(dirname "$out")"

if [ -n "$pkcs12" ]; then
  command -v osslsigncode >/dev/null || die "osslsigncode is missing (scripts/bootstrap.sh installs it)"
  timestamp=()
  [ -n "${VASKEL_SIGN_TIMESTAMP_URL:-}" ] && timestamp=(-ts "$VASKEL_SIGN_TIMESTAMP_URL")
  rm -f "$out"
  if ! log=$(osslsigncode sign -pkcs12 "$pkcs12" -readpass /dev/fd/3 -h sha256 -n "Vaskel Setup" \
               "${timestamp[@]}" -in "$exe" -out "$out" 3< <(printf '%s' "$password") 2>&1); then
    rm -f "$out"
    die "signing failed: $(grep -v '^$' <<<"$log" | tail -n 3 | tr '\n' ' ')"
  fi
  password=
  verify=(osslsigncode verify -in "$out")
  [ -n "${VASKEL_SIGN_CAFILE:-}" ] && verify+=(-CAfile "$VASKEL_SIGN_CAFILE")
  if ! log=$("${verify[@]}" 2>&1); then
    rm -f "$out"
    die "the signed file does not verify: $(grep -iE 'error|fail|mismatch' <<<"$log" | head -n 3 | tr '\n' ' ')"
  fi
  say "signed with $(basename "$pkcs12")${timestamp:+ and time-stamped}; the signature verifies"
else
  cp "$exe" "$out"
  say "not signed (set VASKEL_SIGN_PKCS12 to sign)"
fi
say "$out"
say "size $(stat -c %s "$out") bytes"
say "SHA-256 $(sha256sum "$out" | cut -d' ' -f1)"
