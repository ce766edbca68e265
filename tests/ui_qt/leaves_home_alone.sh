#!/usr/bin/env bash
# Runs a test program with a home folder of its own and fails if anything
# was written there: Qt's settings, caches and histories belong in the
# folders the test environment names, never in the user's home.
#   leaves_home_alone.sh PROGRAM [ARGUMENT...]
set -uo pipefail
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
HOME=$home "$@" >"$home.log" 2>&1 || { cat "$home.log"; rm -f "$home.log"; exit 1; }
rm -f "$home.log"
written=$(cd "$home" && find . -mindepth 1)
[ -z "$written" ] || { echo "written into the home folder: $written" >&2; exit 1; }
