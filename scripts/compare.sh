#!/usr/bin/env bash
# Prints the side-by-side table of karvex, karvex.spi under Wine, GDAL,
# LibreCAD and LibreOffice on the same drawings. Installs the peers from
# Debian when missing (they are not needed for anything else).
#   scripts/compare.sh [--runs N] [--size WxH] [--skip TOOLS] [--each] [DRAWING...]
# Without drawings: the 53 MB drawing (50 MiB) made by the corpus's
# make_big.py, the one scripts/bench.sh reads too.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
peers=(gdal-bin librecad libreoffice-draw libreoffice-core poppler-utils time)
missing=()
for p in "${peers[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then sudo_=sudo; else sudo_=; fi
  DEBIAN_FRONTEND=noninteractive $sudo_ apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
scripts/build.sh release >/dev/null
options=()
drawings=()
while [ $# -gt 0 ]; do
  case "$1" in
    --runs|--size|--skip) options+=("$1" "$2"); shift 2 ;;
    --each) options+=("$1"); shift ;;
    *) drawings+=("$1"); shift ;;
  esac
done
if [ ${#drawings[@]} -eq 0 ]; then
  mkdir -p build/bench-data
  big=build/bench-data/big_50mb_crlf.dxf
  [ -f "$big" ] || python3 ../shared/corpus/make_big.py --mb 50 -o "$big" >/dev/null
  drawings=("$big")
fi
python3 scripts/compare_converters.py "${options[@]}" "${drawings[@]}"
