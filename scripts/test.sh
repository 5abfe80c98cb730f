#!/usr/bin/env bash
# Builds everything and runs every test: the portable core natively, then the
# Windows programs cross-built and run under Wine. Installs what it needs first.
set -euo pipefail
start=$(date +%s)
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

bash scripts/setup.sh

jobs=2
native=build/native
win=build/win
export CI=${CI:-}

summary=()
run_ctest() {  # dir label [ctest args...]
  local dir=$1 label=$2; shift 2
  local log
  log=$(mktemp)
  set +e
  (cd "$dir" && ctest --output-on-failure -j$jobs "$@") 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  set -e
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1 || true)
  summary+=("$label: $line")
  local total failed
  total=$(sed -nE 's/.*out of ([0-9]+).*/\1/p' <<<"$line"); failed=$(sed -nE 's/.* ([0-9]+) tests failed.*/\1/p' <<<"$line")
  all_total=$((all_total + ${total:-0})); all_failed=$((all_failed + ${failed:-0}))
  rm -f "$log"
  return $rc
}
all_total=0
all_failed=0
status=0

echo "== native build and unit tests"
cmake -S . -B $native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build $native -j$jobs
run_ctest $native native || status=1

if [ -n "${REVEILO_SANITIZE_TESTS:-${CI}}" ]; then
  echo "== native unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
  cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DREVEILO_SANITIZE=ON >/dev/null
  cmake --build build/sanitize -j$jobs
  run_ctest build/sanitize sanitizers || status=1
fi

echo "== fuzz targets (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)"
fuzz_seconds=${REVEILO_FUZZ_SECONDS:-$([ -n "$CI" ] && echo 30 || echo 10)}
cmake -S . -B build/fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DREVEILO_FUZZ=ON \
  -DREVEILO_FUZZ_SECONDS="$fuzz_seconds" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/fuzz -j$jobs
run_ctest build/fuzz fuzz || status=1

source scripts/wine-build.sh
wine_line="Wine tests ran on the ${wine_arch/win/}-bit build: $wine_reason"
echo "== $wine_line"
echo "== Windows build (MinGW-w64, i686: what ships) and its checks"
wine_configure $win cmake/mingw-i686.cmake
cmake --build $win -j$jobs
if [ "$wine_arch" = win32 ]; then
  run_ctest $win wine || status=1
else
  run_ctest $win "shipped files" -LE wine || status=1
  echo "== Windows build (MinGW-w64, x86_64) and its tests under 64-bit Wine"
  wine_configure $wine_build $wine_toolchain
  cmake --build $wine_build -j$jobs
  run_ctest $wine_build wine -L wine || status=1
fi

echo "== summary"
printf '%s\n' "${summary[@]}"
echo "$wine_line"
echo "total time: $(( $(date +%s) - start )) s"
echo "$((all_total - all_failed)) passed, $all_failed failed"
exit $status
