#!/usr/bin/env bash
# Reveilo's main job, here under Wine: builds dist/ and runs Reveilo.exe in a
# fresh Japanese Windows prefix. Arguments go to Reveilo.exe unchanged.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
bash scripts/setup.sh
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/win -j2 >/dev/null
export REVEILO_WINE_ROOT=$here/build/win/wine
echo "Reveilo: this build has the settings store and version classification only; the window and the wake job come next."
cmake/wine-bench.sh --version "${REVEILO_WINDOWS_VERSION:-winxp}" --timeout 60 -- build/win/dist/Reveilo.exe "$@"
echo "Reveilo.exe exited with status $?"
