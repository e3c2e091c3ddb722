#!/usr/bin/env bash
# Builds the Windows version with MinGW-w64 and runs its suites under Wine:
# the unit tests through ctest (the toolchain file names Wine as the
# emulator), then the native end-to-end driver against the Windows
# quernstow.exe and the Windows test helper.
#
# Usage: scripts/test-windows.sh [WINBUILD [NATIVE]]
#   WINBUILD  folder of the cross build (default out-win)
#   NATIVE    the native build folder (default out; its e2e_tests target is
#             built there first), or the path of an e2e_tests program.
# Environment: JOBS (parallel build jobs, default 2), WINEPREFIX (a Wine
# prefix to reuse; a temporary one is made and removed otherwise),
# QS_WINE_TIMEOUT (seconds for each unit-test program, default 600).
# Prints "Windows suite skipped: <reason>" and exits 0 when the cross
# compiler or Wine is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

winbuild=${1:-out-win}
native=${2:-out}
jobs=${JOBS:-2}
unit_timeout=${QS_WINE_TIMEOUT:-600}

skip() {
  echo "Windows suite skipped: $1"
  exit 0
}
command -v x86_64-w64-mingw32-g++ >/dev/null || skip "x86_64-w64-mingw32-g++ not found"
command -v timeout >/dev/null || skip "timeout not found"
# Wine's launcher: "wine" from the wine package, or the 64-bit loader that
# the wine64 package alone installs.
findtool() {
  local name
  for name in "$@"; do
    if command -v "$name" >/dev/null; then command -v "$name"; return 0; fi
    if [[ -x "/usr/lib/wine/$name" ]]; then echo "/usr/lib/wine/$name"; return 0; fi
  done
  return 1
}
wine=$(findtool wine wine64) || skip "wine not found"
wineserver=$(findtool wineserver wineserver64) || skip "wineserver not found"

gen=()
command -v ninja >/dev/null && gen=(-G Ninja)

# A private Wine prefix, so that no user setting changes the results and
# nothing outside a temporary folder is written.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
made_prefix=""
if [[ -z "${WINEPREFIX:-}" ]]; then
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/qs-wine.XXXXXX")
  made_prefix=$WINEPREFIX
fi
export WINEPREFIX

cleanup() {
  # Stops the Wine server of the prefix made here (no other), then removes it.
  if [[ -n "$made_prefix" ]]; then
    timeout 30 "$wineserver" -k >/dev/null 2>&1 || true
    timeout 30 "$wineserver" -w >/dev/null 2>&1 || true
    rm -rf "$made_prefix"
  fi
}
trap cleanup EXIT
trap "exit 130" INT TERM

echo "== Windows cross build in $winbuild"
cmake -S . -B "$winbuild" "${gen[@]}" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQS_WINE="$wine" >/dev/null
cmake --build "$winbuild" -j"$jobs"

echo "== starting Wine (prefix $WINEPREFIX)"
# Keeps one Wine server for the whole run instead of one per program.
if [[ -n "$made_prefix" ]]; then timeout 10 "$wineserver" -p >/dev/null 2>&1 || true; fi
if ! timeout 600 "$wine" wineboot -i >/dev/null 2>&1; then
  echo "wineboot failed or timed out" >&2
  exit 1
fi

echo "== unit tests under Wine"
ctest --test-dir "$winbuild" --output-on-failure --timeout "$unit_timeout" -E '^e2e$'

echo "== end-to-end suite under Wine"
if [[ -f "$native" && -x "$native" ]]; then
  e2e=$native
else
  # The native build folder: configured when new, and e2e_tests brought up
  # to date (nothing to do after scripts/test.sh has built it).
  [[ -f "$native/CMakeCache.txt" ]] || cmake -S . -B "$native" "${gen[@]}" >/dev/null
  cmake --build "$native" -j"$jobs" --target e2e_tests
  e2e=$native/tests/e2e_tests
fi
exe=$winbuild/quernstow.exe
helper=$winbuild/tests/qs_testhelper.exe
[[ -f "$exe" ]] || { echo "missing $exe" >&2; exit 1; }
[[ -f "$helper" ]] || { echo "missing $helper" >&2; exit 1; }

QS_LAUNCHER="$wine" QS_DRIVE=Z \
  QS_E2E_EXE="$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")" \
  QS_E2E_HELPER="$(cd "$(dirname "$helper")" && pwd)/$(basename "$helper")" \
  timeout -k 10 3600 "$e2e"
echo "== Windows suite passed"
