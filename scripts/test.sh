#!/usr/bin/env bash
# Builds and runs every test: the native suites (unit and end-to-end), the
# unit suites once more under AddressSanitizer and UndefinedBehaviorSanitizer,
# and the Windows build's suites under Wine when the cross compiler and Wine
# are present.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=${JOBS:-2}
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)

echo "== native build and tests"
cmake -S . -B out "${gen[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build out -j"$jobs"
ctest --test-dir out --output-on-failure --timeout 900

echo "== unit tests with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B out-asan "${gen[@]}" -DCMAKE_BUILD_TYPE=Debug -DQS_SANITIZE=ON >/dev/null
cmake --build out-asan -j"$jobs"
ctest --test-dir out-asan --output-on-failure --timeout 900 -E '^e2e$'

echo "== Windows build under Wine"
scripts/test-windows.sh out-win out
