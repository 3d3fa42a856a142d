#!/usr/bin/env bash
# Checks that each plug-in DLL given exports exactly the six "00IN"
# functions under their undecorated names, is of the right PE kind, and needs
# nothing but Windows' own DLLs.
#   scripts/check-exports.sh build/win32/src/karvex.spi build/win64/src/karvex.sph
set -euo pipefail
expected="ConfigurationDlg GetPicture GetPictureInfo GetPluginInfo GetPreview IsSupported"
system_dlls=" ADVAPI32.dll COMCTL32.dll comdlg32.dll GDI32.dll KERNEL32.dll msvcrt.dll USER32.dll "
status=0
for dll in "$@"; do
  case "$dll" in
    *.sph) objdump=x86_64-w64-mingw32-objdump; kind=pei-x86-64 ;;
    *) objdump=i686-w64-mingw32-objdump; kind=pei-i386 ;;
  esac
  report=$("$objdump" -p "$dll")
  format=$("$objdump" -f "$dll" | sed -n 's/.*file format //p')
  names=$(printf '%s\n' "$report" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort | xargs)
  imports=$(printf '%s\n' "$report" | sed -n 's/^\s*DLL Name: //p' | xargs)
  if [ "$format" != "$kind" ]; then echo "$dll: file format $format, not $kind"; status=1; fi
  if [ "$names" != "$expected" ]; then echo "$dll: exports '$names', not '$expected'"; status=1; fi
  for import in $imports; do
    case "${system_dlls^^}" in
      *" ${import^^} "*) ;;
      *) echo "$dll: needs $import, which is not one of Windows' own DLLs"; status=1 ;;
    esac
  done
  [ $status -eq 0 ] && echo "$dll: $format, exports $names; needs $imports"
done
exit $status
