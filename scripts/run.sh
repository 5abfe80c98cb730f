#!/usr/bin/env bash
# Reveilo's main job, here under Wine: builds dist/, runs Reveilo.exe in a
# fresh Japanese Windows prefix, and shows the wake job, the settings and the
# record it left. Every message box Reveilo shows is printed and answered with
# its default button, and a window left open after a refusal is closed, so a
# refused line ends at once with its message and exit status 1.
#
#   bash scripts/run.sh                 command-line mode: a wake job for tomorrow 07:00, demo account
#   bash scripts/run.sh ARGUMENTS...    Reveilo.exe with these arguments instead
#   bash scripts/run.sh --gui           the window on the current display ($DISPLAY)
#   REVEILO_WINDOWS_VERSION=vista bash scripts/run.sh    the Windows Vista and later route
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
bash scripts/setup.sh
source scripts/wine-build.sh
wine_configure $wine_build $wine_toolchain
cmake --build $wine_build -j2 >/dev/null
export REVEILO_WINE_ROOT=$here/$wine_build/wine
dist=$wine_build/dist
version=${REVEILO_WINDOWS_VERSION:-winxp}

display=()
timeout=120
program=$wine_build/run_driver.exe  # reads out and answers Reveilo's message boxes
if [ "${1:-}" = "--gui" ]; then
  shift
  display=(--host-display)
  timeout=3600
  program=$dist/Reveilo.exe
elif [ $# -eq 0 ]; then
  set -- "$(date -d tomorrow +%Y/%m/%d)" 07:00 demo demo-pass
fi
if [ "$wine_arch" = win64 ]; then
  build="the 64-bit build under 64-bit Wine, as this computer cannot run 32-bit Linux programs (what ships is the 32-bit build)"
else
  build="the 32-bit build, as it ships"
fi
echo "== Reveilo.exe $* (Windows version: $version; $build)"

show='
echo "== exit status $REVEILO_STATUS (0: the wake job is set; 1: no job was set, or the countdown was cancelled and the job stays; 2: the job is set but the machine did not hibernate)"
echo "== setting.ini, written in the program folder C:\\reveilo (here $PWD)"
if [ -f setting.ini ]; then iconv -f CP932 -t UTF-8 setting.ini | tr -d "\r"; else echo "(none)"; fi
echo "== wake.log, the record beside it: each Set, what else will wake the machine first, how it came back"
if [ -f wake.log ]; then iconv -f CP932 -t UTF-8 wake.log | tr -d "\r"; else echo "(none)"; fi
echo "== the job the Task Scheduler now holds"
if [ -f "$WINEPREFIX/drive_c/windows/tasks/Resume.job" ]; then
  wine jt.exe /pj Resume.job 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d "\r"
elif [ -f "$WINEPREFIX/drive_c/windows/system32/tasks/ResumeRV" ]; then
  echo "C:\\windows\\system32\\Tasks\\ResumeRV (Wine'"'"'s Task Scheduler 2.0 keeps no triggers or actions, so the"
  echo "wake time and Startup.bat are missing below; on Windows the task holds both):"
  f=$WINEPREFIX/drive_c/windows/system32/tasks/ResumeRV
  if [ "$(head -c 2 "$f" | od -An -tx1 | tr -d " ")" = fffe ]; then iconv -f UTF-16 -t UTF-8 "$f"; else cat "$f"; fi
else
  echo "(no job)"
fi
'
set +e
cmake/wine-bench.sh --version "$version" --timeout "$timeout" "${display[@]}" \
  --copy $dist/Reveilo.exe --copy $dist/jt.exe --copy $dist/ReveiloTask.dll --copy $dist/manual.txt \
  --after "$show" -- "$program" "$@"
