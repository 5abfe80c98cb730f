#!/usr/bin/env bash
# ansi-text.sh make IN OUT   : UTF-8 with LF  ->  code page 932 with CR LF
# ansi-text.sh check FILE    : fails unless FILE is code page 932 text whose
#                              every line ends in CR LF
set -euo pipefail
case "$1" in
  make)
    iconv -f UTF-8 -t CP932 "$2" | sed 's/$/\r/' > "$3.tmp"
    mv "$3.tmp" "$3"
    ;;
  check)
    iconv -f CP932 -t UTF-8 "$2" > /dev/null || { echo "$2: not code page 932" >&2; exit 1; }
    [ -s "$2" ] || { echo "$2: empty" >&2; exit 1; }
    lines=$(wc -l < "$2")
    crlf=$(grep -c $'\r$' "$2" || true)
    [ "$lines" -eq "$crlf" ] || { echo "$2: $((lines - crlf)) line(s) without CR LF" >&2; exit 1; }
    [ "$(tail -c 2 "$2" | od -An -tx1 | tr -d ' \n')" = "0d0a" ] || { echo "$2: does not end in CR LF" >&2; exit 1; }
    echo "$2: $lines lines, code page 932, CR LF"
    ;;
esac
