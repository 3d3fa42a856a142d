#!/usr/bin/env bash
# Tells how this machine runs 32-bit (i386) Linux programs, which is how the
# 32-bit Wine that loads karvex.spi runs. Prints one line:
#   native: ...    the kernel runs them itself
#   emulated: ...  the kernel cannot; qemu-i386 runs them (about 50 times slower)
#   none: ...      the kernel cannot, and no emulator is registered for them
# The first word is the verdict; the rest says it for people.
#
# The kernel hands a program to a binfmt_misc entry before its own ELF
# loader looks at it, so with an emulator registered the i386 loader would
# run either way. As root the entry is switched off for the moment of the
# check, so the answer is the kernel's own; without root a registered
# emulator is taken as the way they run (it is).
#
# KARVEX_I386_SUPPORT, when set by a caller that has already asked (the test
# run asks once), is the answer.
set -uo pipefail

if [ -n "${KARVEX_I386_SUPPORT:-}" ]; then
  printf '%s\n' "$KARVEX_I386_SUPPORT"
  exit 0
fi

loader=/lib/ld-linux.so.2
binfmt=/proc/sys/fs/binfmt_misc
i386_magic=7f454c4601010100000000000000000002000300

runs_loader() { "$loader" --help >/dev/null 2>&1; }

# The enabled binfmt_misc entries that take i386 ELF programs.
i386_entries() {
  local entry
  for entry in "$binfmt"/*; do
    case "$(basename "$entry")" in register | status) continue ;; esac
    [ -f "$entry" ] || continue
    grep -qx enabled "$entry" 2>/dev/null || continue
    grep -qx "magic $i386_magic" "$entry" 2>/dev/null && printf '%s\n' "$entry"
  done
}

if [ ! -e "$loader" ]; then
  echo "none: there is no i386 loader ($loader, from libc6:i386); scripts/setup.sh installs it"
  exit 0
fi

mapfile -t entries < <(i386_entries)
if [ ${#entries[@]} -eq 0 ]; then
  if runs_loader; then
    echo "native: this machine runs 32-bit programs itself"
  else
    echo "none: this machine cannot run 32-bit programs, and no emulator is registered for them (scripts/setup.sh registers qemu-i386)"
  fi
  exit 0
fi

interpreter=$(sed -n 's/^interpreter //p' "${entries[0]}")
if [ ! -w "${entries[0]}" ]; then
  echo "emulated: 32-bit programs run under $interpreter, registered for them in binfmt_misc"
  exit 0
fi

restore() { for entry in "${entries[@]}"; do echo 1 >"$entry" 2>/dev/null; done; }
trap restore EXIT
for entry in "${entries[@]}"; do echo 0 >"$entry"; done
if runs_loader; then native=yes; else native=no; fi
restore
trap - EXIT
if [ "$native" = yes ]; then
  echo "native: this machine runs 32-bit programs itself"
else
  echo "emulated: this machine cannot run 32-bit programs itself; they run under $interpreter (about 50 times slower)"
fi
