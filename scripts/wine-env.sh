# Sourced by the scripts that run our Windows programs: a Wine prefix of
# their own, made on first use and removed with its wineserver at exit.
# Wine runs with code page 932 (a Japanese locale compiled into the same
# folder), as on the Japanese systems whose font the plug-in asks for, and
# the font substitute that draws "ＭＳ ゴシック" in IPAGothic.
#
# The prefix is a 64-bit one, made by Wine's 64-bit loader directly: the
# "wine" script starts the 32-bit loader first, which some machines cannot
# run at all. 32-bit programs (karvex.spi's host) still start through
# "wine"; where the machine runs them only under an emulator that is slow
# (about a minute a start) but works.
karvex_wine64=/usr/lib/wine/wine64
karvex_wine_prefix=$(mktemp -d "${TMPDIR:-/tmp}/karvex-wine-XXXXXX")
export WINEPREFIX="$karvex_wine_prefix/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
karvex_wine_cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  rm -rf "$karvex_wine_prefix"
}
trap karvex_wine_cleanup EXIT
if localedef -i ja_JP -f UTF-8 "$karvex_wine_prefix/ja_JP.UTF-8" >/dev/null 2>&1 ||
   [ -f "$karvex_wine_prefix/ja_JP.UTF-8/LC_CTYPE" ]; then
  export LOCPATH="$karvex_wine_prefix" LC_ALL=ja_JP.UTF-8
fi
WINEARCH=win64 "$karvex_wine64" wineboot -i >/dev/null 2>&1
"$karvex_wine64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
  /v "$(printf '\xef\xbc\xad\xef\xbc\xb3 \xe3\x82\xb4\xe3\x82\xb7\xe3\x83\x83\xe3\x82\xaf')" /d IPAGothic /f >/dev/null 2>&1 || true
