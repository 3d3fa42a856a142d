# Sourced by the scripts that run our Windows programs: a Wine prefix of
# their own, made on first use and removed with its wineserver at exit.
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
wineboot -i >/dev/null 2>&1
