#!/usr/bin/env bash
# Builds and installs the converter alone, without the plug-in (no MinGW,
# no Wine): karvex into PREFIX/bin, its bash completion into
# PREFIX/share/bash-completion/completions and its manual page into
# PREFIX/share/man/man1. Installs the Debian packages the build needs first.
#
#   scripts/install-converter.sh                     # into /usr/local
#   scripts/install-converter.sh --prefix ~/.local   # for one user, no root
#   DESTDIR=/tmp/stage scripts/install-converter.sh --prefix /usr   # to package
set -euo pipefail
cd "$(dirname "$0")/.."

prefix=/usr/local
while [ $# -gt 0 ]; do
  case "$1" in
    --prefix) prefix=${2:?--prefix needs a folder}; shift 2 ;;
    --prefix=*) prefix=${1#--prefix=}; shift ;;
    -h | --help) sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "install-converter: unknown option $1 (try --help)" >&2; exit 2 ;;
  esac
done

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

packages=(g++ cmake ninja-build libfreetype-dev libpng-dev zlib1g-dev fonts-ipafont-gothic)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-converter: installing ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

cmake --preset converter >/dev/null
cmake --build --preset converter

# The first folder of the destination that exists says whether root is
# needed to write there.
target="${DESTDIR:-}$prefix"
while [ ! -d "$target" ]; do target=$(dirname "$target"); done
if [ -w "$target" ]; then
  cmake --install build/converter --prefix "$prefix" --strip
else
  as_root env ${DESTDIR:+DESTDIR="$DESTDIR"} cmake --install build/converter --prefix "$prefix" --strip
fi
