#!/usr/bin/env bash
# Which Wine runs the Windows tests here: prints "win32" or "win64" on the
# first line and the reason on the second. REVEILO_WINE_ARCH forces a choice.
# What ships is always the 32-bit build; win64 means the tests run on an
# x86_64 build of the same sources, because this host cannot run 32-bit
# Linux programs (the 32-bit Wine loader among them).
case "${REVEILO_WINE_ARCH:-}" in
  win32|win64) printf '%s\nforced by REVEILO_WINE_ARCH\n' "$REVEILO_WINE_ARCH"; exit 0 ;;
  "") ;;
  *) echo "wine-arch: REVEILO_WINE_ARCH must be win32 or win64, not $REVEILO_WINE_ARCH" >&2; exit 2 ;;
esac
if out=$(/usr/lib/wine/wine --version 2>&1); then
  printf 'win32\nthis host runs 32-bit programs\n'
else
  printf 'win64\nthis host cannot run 32-bit programs (/usr/lib/wine/wine: %s)\n' "$(head -n 1 <<<"$out")"
fi
