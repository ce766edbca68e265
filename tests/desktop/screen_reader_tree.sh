#!/usr/bin/env bash
# quorlan-host, its dialogs and Brenhold read as a screen reader reads them:
# over a real AT-SPI bus (at-spi2-core) on a virtual X display, with a
# private D-Bus session, in English and in German. Everything the test starts
# ends with it; nothing of the machine's is used or changed.
#   screen_reader_tree.sh BIN_FOLDER
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" != --inside ]; then
    for tool in dbus-run-session Xvfb xdpyinfo /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
        command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh" >&2; exit 1; }
    done
    /usr/bin/python3 -c "import pyatspi" 2>/dev/null ||
        { echo "python3-pyatspi is missing: run scripts/install-deps.sh" >&2; exit 1; }
    exec dbus-run-session -- "$0" --inside "$1"
fi
built=$2

# shellcheck source=../support/expect.sh
. "$here/../support/expect.sh"
scratch=$(mktemp -d)
started=()
finish() {
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null
    done
    wait 2>/dev/null
    rm -rf "$scratch"
}
trap finish EXIT

# -noreset: the server would otherwise reset whenever its last client
# leaves, and refuse a program that connects during the reset.
Xvfb -displayfd 5 -noreset -nolisten tcp -screen 0 1280x1024x24 5>"$scratch/display" 2>/dev/null &
started+=($!)
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
export DISPLAY=:$(cat "$scratch/display")
# A loaded machine may announce the display before it takes clients.
for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
/usr/libexec/at-spi-bus-launcher --launch-immediately 2>/dev/null &
started+=($!)

# Qt speaks to the AT-SPI bus when told to, as it does when a screen reader
# runs; the settings go to folders of the test's own.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
export APPDATA="$scratch/appdata" XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$APPDATA" "$XDG_RUNTIME_DIR" "$scratch/card"
chmod 700 "$XDG_RUNTIME_DIR"

for language in en_US.UTF-8 de_DE.UTF-8; do
    echo "--- $language"
    LANG=$language "$built/quorlan-host" --device-path "$scratch/card" --device-name "Player 1" \
        --open 2>"$scratch/host.log" &
    host=$!
    started+=("$host")
    /usr/bin/python3 "$here/screen_reader_tree.py" quorlan-host "$host" ||
        { fail "quorlan-host in $language, as a screen reader reads it"; cat "$scratch/host.log"; }
    kill "$host" 2>/dev/null
    wait "$host" 2>/dev/null

    if [ "$(id -u)" -eq 0 ]; then # an ordinary user's Brenhold asks pkexec first
        LANG=$language "$built/Brenhold" 2>"$scratch/brenhold.log" &
        brenhold=$!
        started+=("$brenhold")
        /usr/bin/python3 "$here/screen_reader_tree.py" Brenhold "$brenhold" ||
            { fail "Brenhold in $language, as a screen reader reads it"; cat "$scratch/brenhold.log"; }
        kill "$brenhold" 2>/dev/null
        wait "$brenhold" 2>/dev/null
    fi
done
exit_with_failures
