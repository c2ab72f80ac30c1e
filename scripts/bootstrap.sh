#!/usr/bin/env bash
# Installs what the build and the tests need, from Debian's packages only.
# Safe to run again: it does nothing when everything is already present.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
deps="$here/.deps"

packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-i686
  wine wine64 fonts-wine cmake xvfb imagemagick liblnk-utils googletest
  icoutils osslsigncode openssl clang-format
  dpkg-dev file
)

sudo_() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

updated=0
apt_update() { [ "$updated" = 1 ] || { sudo_ apt-get update -qq; updated=1; }; }

if [ ${#missing[@]} -gt 0 ]; then
  echo "bootstrap: installing ${missing[*]}"
  apt_update
  for p in "${missing[@]}"; do
    if ! sudo_ env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$p" >/dev/null; then
      echo "bootstrap: cannot install the Debian package '$p'" >&2
      exit 1
    fi
  done
fi

# The JPEG decoder is built from Debian's own source package.
if ! ls -d "$deps"/libjpeg-turbo-*/ >/dev/null 2>&1; then
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    echo "bootstrap: enabling the deb-src entry"
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -f "$f" ] && grep -q '^Types: deb$' "$f" && sudo_ sed -i 's/^Types: deb$/Types: deb deb-src/' "$f"
    done
    [ -f /etc/apt/sources.list ] && sudo_ sed -i -E 's/^deb (.*)$/deb \1\ndeb-src \1/' /etc/apt/sources.list
    updated=0
  fi
  apt_update
  mkdir -p "$deps"
  (cd "$deps" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1) || {
    echo "bootstrap: cannot fetch the Debian source package 'libjpeg-turbo'" >&2; exit 1; }
fi
echo "bootstrap: ready"
