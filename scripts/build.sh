#!/usr/bin/env bash
# Configures and builds into ./build; warnings are errors under CI.
# With "sanitize": the same code with AddressSanitizer and
# UndefinedBehaviorSanitizer, into ./build-sanitize.
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
folder=build
options=(-DQUORLAN_WERROR="$werror")
if [ "${1:-}" = "sanitize" ]; then
  folder=build-sanitize
  # The plain build holds the line on warnings; the instrumented one may
  # warn where the optimiser sees less.
  options=(-DQUORLAN_SANITIZE=ON)
fi
# The build's time is that of the last commit, so that the same commit
# builds the same packages (Qt's resource compiler and cpack take it).
if [ -z "${SOURCE_DATE_EPOCH:-}" ] && epoch=$(git log -1 --format=%ct 2>/dev/null); then
  export SOURCE_DATE_EPOCH=$epoch
fi
# Extra configure options, for example -DQUORLAN_TESTS=OFF for packages alone.
read -r -a extra <<< "${QUORLAN_CMAKE_OPTIONS:-}"
options+=("${extra[@]}")
# A machine that has ccache rebuilds only what changed, even in a fresh clone.
if command -v ccache >/dev/null; then
  options+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}"
cmake --build "$folder" --parallel "$(nproc)"
