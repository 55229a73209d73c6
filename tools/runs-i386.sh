#!/usr/bin/env bash
# Whether this machine runs 32-bit (i386) programs, which 32-bit Wine needs:
# a kernel built without ia32 emulation, or started with ia32_emulation=0,
# refuses them. Runs the smallest such program there is (it only exits with
# 42) and says nothing where it runs; elsewhere it says why, in one line,
# and fails.
set -u
program=$(mktemp "${TMPDIR:-/tmp}/i386-check.XXXXXX")
trap 'rm -f "$program"' EXIT
# An ELF header, one loadable segment, then: mov eax,1; mov ebx,42; int 0x80.
printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >"$program"
chmod +x "$program"
"$program" 2>/dev/null
status=$?
[ "$status" -eq 42 ] && exit 0
# The shell says 126 both for a folder that lets no program run and for a
# kernel that refuses the format: a script beside it tells the two apart.
if [ "$status" -eq 126 ]; then
  printf '#!/bin/sh\nexit 0\n' >"$program"
  if ! "$program" 2>/dev/null; then
    echo "cannot tell whether this machine runs 32-bit programs: ${TMPDIR:-/tmp} does not let programs run"
    exit 1
  fi
fi
case $(uname -m) in
  x86_64 | i?86) echo "this machine's kernel does not run 32-bit programs (no ia32 emulation, or ia32_emulation=0)" ;;
  *) echo "this machine is $(uname -m), not x86: it runs no 32-bit x86 programs" ;;
esac
exit 1
