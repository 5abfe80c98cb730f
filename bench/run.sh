#!/usr/bin/env bash
# Measures Reveilo.exe against the floor (its own window with no program behind
# it, bench/floor_win.cpp) under the same Wine prefix, and the command-line Set
# end to end on both routes with its parts; prints the table, writes it to
# bench/RESULTS.md, and ends with the line
#   ratios startup=X idle=Y memory=Z        (Reveilo / floor; floor = 1.00)
#   bash bench/run.sh [runs (default 20)] [idle seconds (default 30)]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
runs=${1:-20}
idle=${2:-30}
bash scripts/setup.sh
source scripts/wine-build.sh
b=$wine_build
wine_configure "$b" "$wine_toolchain"
cmake --build "$b" -j2 >/dev/null
export REVEILO_WINE_ROOT=$here/$b/wine
raw=$(mktemp)
work=$(mktemp -d)
printf '[UserInfo]\r\nUser=reveilo\r\nPass=\r\n[StartTime]\r\nHour=07\r\nMin=05\r\n' > "$work/setting.ini"
cp "$b/jt_stamp.exe" "$work/jt.exe"

bench() {  # version what [extra --copy files...]
  local version=$1 what=$2; shift 2
  cmake/wine-bench.sh --version "$version" --timeout $((600 + runs * 60)) \
    --copy "$b/dist/Reveilo.exe" --copy "$b/floor.exe" --copy "$b/dist/ReveiloTask.dll" --copy "$work/setting.ini" \
    "$@" -- "$b/bench.exe" "$runs" "$what" | tr -d '\r' |
    grep -E '^[a-z_]+'$'\t' >> "$raw"
}
bench winxp window --copy "$work/jt.exe"   # a stand-in jt.exe that stamps the batch's end
bench winxp batch --copy "$b/dist/jt.exe"
bench vista component

# Idle cost, read from the Linux side: Wine's GetProcessTimes reports nothing
# for another process, but each Windows process is a Linux process here.
idle_cpu() {  # program -> CPU milliseconds over $idle seconds, window open
  local program=$1 name pid="" t0 t1
  name=$(basename "$program")
  cmake/wine-bench.sh --version winxp --timeout $((idle + 30)) --copy "$work/setting.ini" -- "$program" >/dev/null 2>&1 &
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
# $runs idle runs of each program; in each round the two run side by side
# (idle, they hardly share the cores), and the medians are compared.
for _ in $(seq "$runs"); do
  for program in "$b/floor.exe" "$b/dist/Reveilo.exe"; do
    (printf '%s\t%s\n' "$(basename "$program")" "$(idle_cpu "$program")" >> "$work/idle") &
  done
  wait
done
for name in floor.exe Reveilo.exe; do
  awk -F'\t' -v n="$name" '$1 == n && $2 != "nan" {print $2}' "$work/idle" | sort -n | awk -v n="$name" '
    { v[NR] = $1 } END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
                         printf "idle_cpu\t%s\t%s\t%s\t%s\tms\n", n, m, v[1], v[NR] }' >> "$raw"
done

table=$(awk -F'\t' '
  function ratio(a, b) { return (b > 0) ? sprintf("%.2f", a / b) : "-" }
  { key = $1 "|" $2; med[key] = $3; row[NR] = $0 }
  END {
    print "| figure | subject | median | min | max | unit | ratio to floor |"
    print "|---|---|---|---|---|---|---|"
    for (i = 1; i <= NR; i++) {
      split(row[i], f, "\t")
      r = "-"
      if (f[2] == "Reveilo.exe" && ((f[1] "|floor.exe") in med)) r = ratio(f[3], med[f[1] "|floor.exe"])
      printf "| %s | %s | %s | %s | %s | %s | %s |\n", f[1], f[2], f[3], f[4], f[5], f[6], r
    }
  }' "$raw")
ratios=$(awk -F'\t' '
  { med[$1 "|" $2] = $3 }
  function r(k) { return (med[k "|floor.exe"] > 0) ? sprintf("%.2f", med[k "|Reveilo.exe"] / med[k "|floor.exe"]) : "nan" }
  END { printf "ratios startup=%s idle=%s memory=%s", r("startup"), r("idle_cpu"), r("peak_working_set") }' "$raw")
# Our own share of the command-line Set: what is left of the whole run once the
# floor (process, window, exit) and the system's parts are taken away.
shares=$(awk -F'\t' '
  { med[$1 "|" $2] = $3 }
  function share(route, part,   total, own) {
    total = med[route "|Reveilo.exe"]; own = total - med[route "|floor.exe (start, window, exit)"] - med[route "|" part]
    return sprintf("| %s | %.0f ms | %.0f ms | %.0f ms | %+.0f ms (%+.1f %%) |", route, total,
                   med[route "|floor.exe (start, window, exit)"], med[route "|" part], own, 100 * own / total)
  }
  END {
    print "| route | whole run | process, window, exit (floor) | system part | what is left: our own code |"
    print "|---|---|---|---|---|"
    print share("set_batch_route", "cmd.exe+jt.exe")
    print share("set_component_route", "AddTask call")
  }' "$raw")

if [ "$wine_arch" = win64 ]; then
  objdump=x86_64-w64-mingw32-objdump loader=/usr/lib/wine/wine64
else
  objdump=i686-w64-mingw32-objdump loader=/usr/lib/wine/wine
fi
footprint="| file | bytes | imports |
|---|---|---|"
total=0
for f in "$b"/dist/*; do
  size=$(stat -c %s "$f"); total=$((total + size))
  imports=$( ($objdump -p "$f" 2>/dev/null || true) | sed -n 's/.*DLL Name: //p' | tr '\n' ' ')
  footprint+=$'\n'"| $(basename "$f") | $size | ${imports:--} |"
done
footprint+=$'\n'"| (folder) | $total | |"

report="# Benchmark results

Machine: $(nproc) cores, $(free -g | awk '/Mem:/ {print $2}') GiB; $($loader --version); the ${wine_arch/win/}-bit build under
${wine_arch} Wine ($wine_reason); $(date -u +%Y-%m-%d).
Runs: $runs of each figure (start-ups alternating between the two programs; idle CPU over ${idle} s
with the two side by side, read from /proc: Wine's GetProcessTimes reports nothing for another
process). The floor is Reveilo's own window built by the same code with the same manifest, fonts and
controls and a once-a-second status-bar clock, and no program behind it.

$table

## The command-line Set and its parts

$shares

## Footprint

$footprint

$ratios"
report+=$'\n\n'"$(cat bench/GOALS.md)"
echo "$report"
echo "$report" > bench/RESULTS.md
rm -rf "$raw" "$work"
echo "$ratios"
