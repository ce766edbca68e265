#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; then the whole suite
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
ctest --test-dir build --output-on-failure --parallel "$(nproc)"

scripts/build.sh sanitize
echo "The same suite under AddressSanitizer and UndefinedBehaviorSanitizer:"
ASAN_OPTIONS=detect_leaks=1 \
LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp" \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure --parallel "$(nproc)"
