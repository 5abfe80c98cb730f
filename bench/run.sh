#!/usr/bin/env bash
# Measures Reveilo.exe against the floor (its own window with no program behind
# it, bench/floor_win.cpp) under the same Wine prefix, the command-line Set
# end to end on both routes with its parts, its peak memory with and without a
# 300 MB wake.log, and the record's scan on a Windows 10-sized tree (natively,
# bench/scan_bench.cpp); prints the table, writes it into bench/RESULTS.md
# between the generated part's marks (the written sections stay), and ends
# with the line
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
# The record's scan, natively: Wine's Task Scheduler 2.0 lists no task.
cmake -S . -B build/bench-native -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench-native -j2 --target scan_bench >/dev/null
build/bench-native/scan_bench 5 >> "$raw"

# The Linux process of a Windows program Wine started (each Windows process
# is one here), waited for up to TRIES x PAUSE seconds; empty when none came.
wine_pid() {  # program-name tries pause
  local pid=""
  for _ in $(seq "$2"); do
    pid=$(pgrep -f "^C:.reveilo.$1" | head -n 1 || true)
    [ -n "$pid" ] && break
    sleep "$3"
  done
  echo "$pid"
}

# Peak memory of the command-line Set (Vista route), read from the Linux side
# as the process runs: its VmHWM just before it ends.
set_peak() {  # [--copy FILE]... -> KiB
  local pid="" hwm=0 v
  cmake/wine-bench.sh --version vista --timeout 300 --copy "$b/dist/ReveiloTask.dll" --copy "$work/setting.ini" "$@" \
    -- "$b/dist/Reveilo.exe" "$(( $(date +%Y) + 1 ))/01/05" 07:05 u p >/dev/null 2>&1 &
  local bench=$!
  pid=$(wine_pid Reveilo.exe 3000 0.01)
  while [ -n "$pid" ] && v=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status" 2>/dev/null) && [ -n "$v" ]; do
    hwm=$v
    sleep 0.002
  done
  wait $bench || true
  echo "$hwm"
}
mkdir -p "$work/huge"
truncate -s 300M "$work/huge/wake.log"  # one damaged line of 300 MB
for label in "no wake.log" "300 MB wake.log"; do
  values=()
  for _ in $(seq 5); do
    if [ "$label" = "no wake.log" ]; then values+=("$(set_peak)"); else values+=("$(set_peak --copy "$work/huge/wake.log")"); fi
  done
  printf '%s\n' "${values[@]}" | sort -n | awk -v l="$label" '{ v[NR] = $1 }
    END { printf "set_peak_resident\tReveilo.exe, %s\t%s\t%s\t%s\tKiB\n", l, v[int((NR + 1) / 2)], v[1], v[NR] }' >> "$raw"
done

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
  pid=$(wine_pid "$name" 400 0.05)
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

generated="Machine: $(nproc) cores, $(free -g | awk '/Mem:/ {print $2}') GiB; $($loader --version); the ${wine_arch/win/}-bit build under
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

$ratios

$(cat bench/GOALS.md)"
echo "$generated"
# Only the generated part is replaced; the written sections after it stay.
begin='<!-- generated by bench/run.sh: begin -->' end='<!-- generated by bench/run.sh: end -->'
results=bench/RESULTS.md
if ! grep -qF "$begin" "$results" 2>/dev/null; then printf '# Benchmark results\n\n%s\n%s\n' "$begin" "$end" > "$results"; fi
GENERATED="$generated" awk -v begin="$begin" -v end="$end" '
  $0 == begin { print; print ENVIRON["GENERATED"]; skip = 1; next }
  $0 == end { skip = 0 }
  !skip { print }' "$results" > "$work/results" && cp "$work/results" "$results"
rm -rf "$raw" "$work"
echo "$ratios"
