#!/usr/bin/env bash
# Makes the zip for Windows users: quernstow.exe (built with MinGW-w64 and
# linked statically, so it runs alone), the folders projs and build, the
# folders curl and pandoc with a note on the program each one expects, and
# the example site when the tree has one (its project file beside the
# program, its sources under projs).
#
# Usage: scripts/package-windows.sh [WINBUILD [DIST]]
#   WINBUILD  folder of the cross build (default out-win; configured when new)
#   DIST      where the zip is written (default dist)
# Environment: JOBS (parallel build jobs, default 2), QS_VERSION (default
# 0.5.8, the program's version).
# Result: DIST/quernstow-VERSION-win64.zip holding one folder quernstow\.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

winbuild=${1:-out-win}
dist=${2:-dist}
jobs=${JOBS:-2}
version=${QS_VERSION:-0.5.8}

for tool in x86_64-w64-mingw32-g++ x86_64-w64-mingw32-strip zip cmake; do
  command -v "$tool" >/dev/null || { echo "package-windows: $tool not found" >&2; exit 1; }
done
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)

# The same settings as scripts/test-windows.sh, so that both can share the
# folder; the debugging information is stripped from the copy in the zip.
if [[ ! -f "$winbuild/CMakeCache.txt" ]]; then
  cmake -S . -B "$winbuild" "${gen[@]}" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
grep -q '^CMAKE_TOOLCHAIN_FILE.*mingw-w64.cmake' "$winbuild/CMakeCache.txt" || {
  echo "package-windows: $winbuild is not a MinGW-w64 cross build" >&2
  exit 1
}
cmake --build "$winbuild" -j"$jobs" --target quernstow

mkdir -p "$dist"
dist=$(cd "$dist" && pwd)
stage=$(mktemp -d "${TMPDIR:-/tmp}/qs-package.XXXXXX")
trap 'rm -rf "$stage"' EXIT
top=$stage/quernstow
mkdir -p "$top/projs" "$top/build" "$top/curl" "$top/pandoc"

x86_64-w64-mingw32-strip -o "$top/quernstow.exe" "$winbuild/quernstow.exe"

# Notes for Windows readers: CR LF line ends.
note() { sed 's/$/\r/' >"$1"; }
note "$top/curl/README.txt" <<'EOF'
Put curl.exe here: this folder, curl\curl.exe beside quernstow.exe.

Quernstow runs it to fetch project files and page fragments given as
https:// addresses. A build for Windows is at https://curl.se/windows/
(Windows 10 and later also ship one as C:\Windows\System32\curl.exe,
which can be copied here).
EOF
note "$top/pandoc/README.txt" <<'EOF'
Put pandoc.exe here: this folder, pandoc\pandoc.exe beside quernstow.exe.

Quernstow runs it to turn Markdown fragments (.md) into HTML. Windows
builds are at https://pandoc.org/installing.html (take pandoc.exe out of
the zip file offered there).
EOF

# The example site, when present, laid out as an installation holds it: its
# project files (example/*.txt) beside quernstow.exe and its source folders
# (example/<root>/) under projs, so that "quernstow example.txt" builds it.
if [[ -d example ]]; then
  for entry in example/*; do
    if [[ -d "$entry" ]]; then
      cp -R "$entry" "$top/projs/"
    elif [[ "$entry" == *.txt && "$(basename "$entry")" != CMakeLists.txt ]]; then
      cp "$entry" "$top/"
    fi
  done
fi

zipfile=$dist/quernstow-$version-win64.zip
rm -f "$zipfile"
(cd "$stage" && zip -q -r -X "$zipfile" quernstow)
echo "Wrote $zipfile"
