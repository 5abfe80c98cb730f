#!/usr/bin/env bash
# Reveilo's main job, here under Wine: builds dist/ and runs Reveilo.exe in a
# fresh Japanese Windows prefix, then shows what it left behind.
#
#   bash scripts/run.sh                      sets a wake job for tomorrow 07:05 from the command line
#   bash scripts/run.sh ARGUMENTS...         runs Reveilo.exe with these arguments instead
#   REVEILO_WINDOWS_VERSION=vista bash scripts/run.sh   the Windows Vista and later route
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
bash scripts/setup.sh
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win -j2 >/dev/null
export REVEILO_WINE_ROOT=$here/build/win/wine
version=${REVEILO_WINDOWS_VERSION:-winxp}

if [ $# -eq 0 ]; then
  set -- "$(date -d tomorrow +%Y/%m/%d)" 07:05 reveilo secret
fi
echo "Reveilo.exe $* (Windows: $version)"

show='
echo "--- exit status: $REVEILO_STATUS (0: the wake job is set)"
for f in setting.ini AddTask.bat Startup.bat; do
  if [ -f "$f" ]; then echo "--- $f ($(stat -c %s "$f") bytes)"; iconv -f CP932 -t UTF-8 "$f" | tr -d "\r"; fi
done
echo "--- Task Scheduler"
ls -l "$WINEPREFIX/drive_c/windows/tasks" 2>/dev/null | grep -i "\.job" || true
ls "$WINEPREFIX/drive_c/windows/system32/Tasks" 2>/dev/null || true
'
set +e
cmake/wine-bench.sh --version "$version" --timeout 120 \
  --copy build/win/dist/jt.exe --copy build/win/dist/ReveiloTask.dll --copy build/win/dist/manual.txt \
  --after "$show" -- build/win/dist/Reveilo.exe "$@"
