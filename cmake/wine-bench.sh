#!/usr/bin/env bash
# The Wine bench: runs one Windows program in a throw-away prefix under an Xvfb
# display of its own, with the Japanese locale (code page 932) and the
# reported Windows version chosen by the caller. The prefix is 32-bit, or
# 64-bit with --arch win64 (default: REVEILO_WINE_ARCH, else win32) for the
# x86_64 build on hosts that cannot run 32-bit programs.
#
#   wine-bench.sh [--arch win32|win64] [--version winxp|vista|win7|win10] [--timeout SECONDS]
#                 [--folder 'C:\path'] [--copy FILE]... [--env NAME=VALUE]...
#                 [--dpi N] [--ui-font FACE] [--high-contrast] [--after 'SHELL COMMAND'] [--host-display] [--keep]
#                 -- PROGRAM [ARGUMENTS...]
#
# PROGRAM and every --copy FILE are copied into the program folder (default
# C:\reveilo) of a copy of the bench's base prefix, and PROGRAM runs from
# there. The base prefix is made once per bench root (REVEILO_WINE_ROOT,
# default ./wine), so each test pays for a copy, not for wineboot.
# Exit status: the program's, 124 on timeout, 125 when the bench itself failed.
set -uo pipefail

version=win7
arch=${REVEILO_WINE_ARCH:-win32}
timeout_s=120
folder='C:\reveilo'
keep=0
dpi=""
ui_font=""
after=""
host_display=0
high_contrast=0
copies=()
envs=()
while [ $# -gt 0 ]; do
  case "$1" in
    --arch) arch=$2; shift 2 ;;
    --version) version=$2; shift 2 ;;
    --timeout) timeout_s=$2; shift 2 ;;
    --folder) folder=$2; shift 2 ;;
    --copy) copies+=("$2"); shift 2 ;;
    --env) envs+=("$2"); shift 2 ;;
    --keep) keep=1; shift ;;
    --dpi) dpi=$2; shift 2 ;;
    --ui-font) ui_font=$2; shift 2 ;;
    --high-contrast) high_contrast=1; shift ;;
    --after) after=$2; shift 2 ;;
    --host-display) host_display=1; shift ;;
    --) shift; break ;;
    *) echo "wine-bench: unknown option $1" >&2; exit 125 ;;
  esac
done
[ $# -ge 1 ] || { echo "wine-bench: no program given" >&2; exit 125; }
case "$version" in winxp|vista|win7|win8|win10) ;; *) echo "wine-bench: unknown version $version" >&2; exit 125 ;; esac
case "$arch" in win32) loader=/usr/lib/wine/wine ;; win64) loader=/usr/lib/wine/wine64 ;;
  *) echo "wine-bench: unknown architecture $arch" >&2; exit 125 ;; esac
program=$1; shift

root=${REVEILO_WINE_ROOT:-$PWD/wine}
mkdir -p "$root"
root=$(cd "$root" && pwd)

# fail STEP [LOG]: the bench itself could not run; say which step and why.
fail() {
  echo "wine-bench: $1 failed" >&2
  if [ -n "${2:-}" ] && [ -s "$2" ]; then tail -n 20 "$2" | sed 's/^/  /' >&2; fi
  exit 125
}

# Every "wine" below, and in --after, is the loader of the chosen
# architecture: /usr/bin/wine picks the 32-bit one whenever it is installed,
# even where it cannot run, and a symlink to wine64 is refused by its name.
mkdir -p "$root/bin"
printf '#!/bin/sh\nexec %s "$@"\n' "$loader" >"$root/bin/wine.$$" && chmod +x "$root/bin/wine.$$" &&
  mv -f "$root/bin/wine.$$" "$root/bin/wine" || fail "writing the wine wrapper in $root/bin"
export PATH=$root/bin:$PATH

export WINEARCH=$arch
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export XDG_CACHE_HOME=$root/cache
unset WINESERVER WINELOADER

xvfb_pid=""
prefix=""
status=125

cleanup() {
  if [ -n "$prefix" ] && [ -d "$prefix" ]; then
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
    WINEPREFIX=$prefix wineserver -w >/dev/null 2>&1
    if [ $keep -eq 1 ]; then echo "wine-bench: prefix kept at $prefix" >&2; else rm -rf "$prefix"; fi
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
}
trap cleanup EXIT
trap 'exit 125' INT TERM

# A display of our own, so the host's display is never touched. Every wine
# command below runs with it: a prefix first used without a display cannot
# create windows later.
if [ $host_display -eq 1 ]; then
  # A person watching: the caller's own display (the prefix is still ours).
  [ -n "${DISPLAY:-}" ] || { echo "wine-bench: --host-display needs DISPLAY" >&2; exit 125; }
else
  displayfile=$(mktemp "$root/display.XXXXXX")
  command -v Xvfb >/dev/null || fail "starting Xvfb (not installed: scripts/setup.sh installs it)"
  xvfb_log=$root/xvfb.$$.log
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$displayfile" >"$xvfb_log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.05; done
  display=$(tr -d '\n' <"$displayfile"); rm -f "$displayfile"
  [ -n "$display" ] || fail "starting Xvfb" "$xvfb_log"
  rm -f "$xvfb_log"
  export DISPLAY=:$display
fi

reg_add() {  # prefix key name type data
  WINEPREFIX=$1 wine reg add "$2" /v "$3" /t "$4" /d "$5" /f >>"$log" 2>&1
}

# Bumped whenever make_base changes, so that older prefixes are made anew.
ready=.ready-2

make_base() {
  local base=$root/base
  [ -f "$base/$ready" ] && return 0
  rm -rf "$base"
  step="starting the Wine loader $loader"
  "$loader" --version >"$log" 2>&1 || return 1
  step="creating the $arch prefix (wineboot --init)"
  WINEPREFIX=$base wine wineboot --init >"$log" 2>&1 || return 1
  WINEPREFIX=$base wineserver -w
  [ -f "$base/system.reg" ] || return 1
  step="setting up the $arch prefix"
  reg_add "$base" 'HKCU\Software\Wine\X11 Driver' Managed REG_SZ N || return 1
  reg_add "$base" 'HKCU\Software\Wine\X11 Driver' Decorated REG_SZ N || return 1
  reg_add "$base" 'HKCU\Software\Wine\WineDbg' ShowCrashDialog REG_DWORD 0 || return 1
  # The faces a Japanese Windows has, drawn with the IPA fonts' metrics.
  reg_add "$base" 'HKCU\Software\Wine\Fonts\Replacements' 'ＭＳ Ｐゴシック' REG_SZ 'IPAPGothic' || return 1
  reg_add "$base" 'HKCU\Software\Wine\Fonts\Replacements' 'ＭＳ ゴシック' REG_SZ 'IPAGothic' || return 1
  # A machine as hostile as Windows allows: cmd's DelayedExpansion policy on (every batch must
  # still hand jt.exe a "!" intact), and Windows' search order for the system DLL that Reveilo
  # loads at run time (Wine would prefer its own wherever a file sits), so that a powrprof.dll
  # planted beside Reveilo.exe is found first if it is ever looked up by bare name.
  reg_add "$base" 'HKCU\Software\Microsoft\Command Processor' DelayedExpansion REG_DWORD 1 || return 1
  reg_add "$base" 'HKCU\Software\Wine\AppDefaults\Reveilo.exe\DllOverrides' powrprof REG_SZ 'native,builtin' ||
    return 1
  # A fresh prefix's Task Scheduler answers "service not running" for a while:
  # start it here, once, so that no test's first Connect meets that state.
  step="starting the Task Scheduler service in the $arch prefix"
  WINEPREFIX=$base wine net start schedule >>"$log" 2>&1 || return 1
  WINEPREFIX=$base wineserver -w
  touch "$base/$ready"
}

make_version_base() {
  local vbase=$root/base-$version
  [ -f "$vbase/$ready" ] && return 0
  rm -rf "$vbase"
  cp -a "$root/base" "$vbase" && rm -f "$vbase/$ready" || return 1
  reg_add "$vbase" 'HKCU\Software\Wine' Version REG_SZ "$version" || return 1
  WINEPREFIX=$vbase wineserver -w
  touch "$vbase/$ready"
}

# Prefixes are shared by parallel tests: make each one under a lock.
log=$root/prepare.$$.log
step="preparing the $version prefix"
exec 9>"$root/.lock"
flock 9
make_base && step="preparing the $version prefix" && make_version_base
made=$?
flock -u 9
[ $made -eq 0 ] || fail "$step" "$log"
rm -f "$log"

prefix=$(mktemp -d "$root/run.XXXXXX")
cp -a "$root/base-$version/." "$prefix/" || exit 125
export WINEPREFIX=$prefix
if [ -n "$dpi" ]; then
  reg_add "$prefix" 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD "$dpi" || exit 125
fi
if [ -n "$ui_font" ]; then
  # The system's message font, as SPI_GETNONCLIENTMETRICS reports it: a LOGFONTW of 9 points
  # (lfHeight -12; Wine scales it with the DPI), regular, Shift-JIS character set, the face in
  # UTF-16 padded to 32 characters.
  face=$(printf '%s' "$ui_font" | iconv -t UTF-16LE | od -An -tx1 | tr -d ' \n')
  while [ ${#face} -lt 128 ]; do face=${face}0; done
  reg_add "$prefix" 'HKCU\Control Panel\Desktop\WindowMetrics' MessageFont REG_BINARY \
    "f4ffffff000000000000000000000000900100000000008000000000$face" || exit 125
fi

if [ $high_contrast -eq 1 ]; then
  # A High Contrast scheme: white text on black faces. The colours are read at a process's start.
  # Windows draws High Contrast without the visual style; Wine's own style would otherwise keep
  # painting some parts (group captions, the status bar) in its light colours.
  for pair in 'ButtonFace=0 0 0' 'ButtonText=255 255 255' 'Window=0 0 0' 'WindowText=255 255 255'; do
    reg_add "$prefix" 'HKCU\Control Panel\Colors' "${pair%%=*}" REG_SZ "${pair#*=}" || exit 125
  done
  reg_add "$prefix" 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' ThemeActive REG_SZ 0 || exit 125
  wineserver -k; wineserver -w
fi

# 'C:\a\b' -> $prefix/drive_c/a/b
drive=$(printf '%s' "${folder:0:1}" | tr 'A-Z' 'a-z')
rest=${folder:2}; rest=${rest//\\//}
unix_folder=$prefix/drive_$drive$rest
mkdir -p "$unix_folder"
cp "$program" "$unix_folder/" || exit 125
for f in "${copies[@]+"${copies[@]}"}"; do cp -r "$f" "$unix_folder/" || exit 125; done
win_program="${folder%\\}\\$(basename "$program")"

for e in "${envs[@]+"${envs[@]}"}"; do export "${e?}"; done
export REVEILO_BENCH_FOLDER=$unix_folder

cd "$unix_folder" || exit 125
timeout --kill-after=5 "$timeout_s" wine "$win_program" "$@"
status=$?
[ $status -eq 124 ] && echo "wine-bench: timed out after ${timeout_s}s" >&2
# A look at what the program left, in the same prefix, before it goes.
if [ -n "$after" ]; then REVEILO_STATUS=$status bash -c "$after"; fi
[ $status -ne 0 ] && [ $keep -eq 0 ] && [ -n "${REVEILO_KEEP_FAILED:-}" ] && keep=1
exit $status
