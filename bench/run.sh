#!/usr/bin/env bash
# Measures Reveilo against a minimal Win32 program under the same Wine prefix
# and prints the table; the last run's table goes to bench/RESULTS.md.
#   bash bench/run.sh [runs (default 20)] [idle seconds (default 30)]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
runs=${1:-20}
idle=${2:-30}
bash scripts/setup.sh
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win -j2 >/dev/null
export REVEILO_WINE_ROOT=$here/build/win/wine
b=build/win
raw=$(mktemp)
settings=$(mktemp --suffix=.ini)
printf '[UserInfo]\r\nUser=reveilo\r\nPass=\r\n[StartTime]\r\nHour=07\r\nMin=05\r\n' > "$settings"
cp "$settings" "$b/setting.ini"
cp "$b/tests/win/jt_recorder.exe" "$b/jt.exe"
cmake/wine-bench.sh --version winxp --timeout $((600 + runs * 60 + idle * 3)) \
  --copy "$b/dist/Reveilo.exe" --copy "$b/baseline.exe" --copy "$b/jt.exe" \
  --copy "$b/tests/win/jt_recorder.exe" --copy "$b/setting.ini" \
  -- "$b/bench.exe" "$runs" | tr -d '\r' > "$raw"

# Idle cost, read from the Linux side: Wine's GetProcessTimes reports nothing
# for another process, but each Windows process is a Linux process here.
idle_cpu() {  # program -> CPU milliseconds over $idle seconds, window open
  local program=$1 name pid="" t0 t1
  name=$(basename "$program")
  cmake/wine-bench.sh --version winxp --timeout $((idle + 30)) --copy "$b/setting.ini" -- "$program" >/dev/null 2>&1 &
  local bench=$!
  for _ in $(seq 400); do
    pid=$(pgrep -f "^C:.reveilo.$name" | head -n 1 || true)
    [ -n "$pid" ] && break
    sleep 0.05
  done
  if [ -z "$pid" ]; then echo "nan"; kill $bench 2>/dev/null; wait $bench 2>/dev/null; return; fi
  sleep 3
  t0=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  sleep "$idle"
  t1=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  kill $bench 2>/dev/null; wait $bench 2>/dev/null
  echo $(( (t1 - t0) * 1000 / $(getconf CLK_TCK) ))
}
for program in "$b/baseline.exe" "$b/dist/Reveilo.exe"; do
  ms=$(idle_cpu "$program")
  printf 'idle_cpu\t%s\t%s\t%s\t%s\tms\n' "$(basename "$program")" "$ms" "$ms" "$ms" >> "$raw"
done
rm -f "$b/jt.exe" "$b/setting.ini" "$settings"

table=$(awk -F'\t' '
  function ratio(a, b) { return (b > 0) ? sprintf("%.2f", a / b) : "-" }
  { key = $1 "|" $2; med[key] = $3; row[NR] = $0 }
  END {
    print "| figure | subject | median | min | max | unit | ratio to baseline |"
    print "|---|---|---|---|---|---|---|"
    for (i = 1; i <= NR; i++) {
      split(row[i], f, "\t")
      r = "-"
      if (f[2] == "Reveilo.exe" && ((f[1] "|baseline.exe") in med)) r = ratio(f[3], med[f[1] "|baseline.exe"])
      printf "| %s | %s | %s | %s | %s | %s | %s |\n", f[1], f[2], f[3], f[4], f[5], f[6], r
    }
  }' "$raw")

footprint="| file | bytes | imports |
|---|---|---|"
total=0
for f in "$b"/dist/*; do
  size=$(stat -c %s "$f"); total=$((total + size))
  imports=$( (i686-w64-mingw32-objdump -p "$f" 2>/dev/null || true) | sed -n 's/.*DLL Name: //p' | tr '\n' ' ')
  footprint+=$'\n'"| $(basename "$f") | $size | ${imports:--} |"
done
footprint+=$'\n'"| (folder) | $total | |"

report="# Benchmark results

Machine: $(nproc) cores, $(free -g | awk '/Mem:/ {print $2}') GiB; $(wine --version); $(date -u +%Y-%m-%d).
Runs: $runs start-ups per program, idle CPU over ${idle} s (read from /proc: Wine's
GetProcessTimes reports nothing for another process). Ratios are Reveilo / baseline
(the baseline: one empty window of the same size with a 100 ms timer that does nothing).

$table

## Footprint

$footprint
"
report+=$'\n'"$(cat bench/GOALS.md)"
echo "$report"
echo "$report" > bench/RESULTS.md
rm -f "$raw"
