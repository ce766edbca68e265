#!/usr/bin/env bash
# Builds the Debian packages of the current commit twice, in two fresh
# clones in folders of different names and some time apart, and compares
# them byte for byte. Exits 1 and names each package that differs (with the
# files inside it that do) when the build is not reproducible.
#   scripts/check-reproducible.sh [SECONDS_APART]
set -euo pipefail
cd "$(dirname "$0")/.."
apart=${1:-2}
commit=$(git rev-parse HEAD)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

build_packages() { # FOLDER
  git clone -q --no-local . "$1"
  git -C "$1" checkout -q "$commit"
  QUORLAN_CMAKE_OPTIONS=-DQUORLAN_TESTS=OFF "$1/scripts/build.sh" > "$1.log" 2>&1 ||
    { cat "$1.log"; exit 2; }
  (cd "$1/build" && cpack -G DEB > "$1.cpack.log" 2>&1) || { cat "$1.cpack.log"; exit 2; }
}

build_packages "$work/first"
sleep "$apart"
build_packages "$work/second-of-two"

status=0
for package in "$work"/first/build/*.deb; do
  name=$(basename "$package")
  other=$work/second-of-two/build/$name
  if cmp -s "$package" "$other"; then
    echo "same: $name $(sha256sum < "$package" | cut -d' ' -f1)"
    continue
  fi
  status=1
  echo "DIFFERS: $name"
  for side in first second-of-two; do
    mkdir -p "$work/unpacked/$side"
    dpkg-deb -R "$work/$side/build/$name" "$work/unpacked/$side/$name"
  done
  diff -rq "$work/unpacked/first/$name" "$work/unpacked/second-of-two/$name" | sed 's/^/  /' || true
  # Times, owners and order of the files in the archive.
  diff <(dpkg-deb -c "$package") <(dpkg-deb -c "$other") | sed 's/^/  /' || true
done
count=$(find "$work/first/build" -maxdepth 1 -name '*.deb' | wc -l)
[ "$count" -gt 0 ] || { echo "no packages were made" >&2; exit 2; }
exit "$status"
