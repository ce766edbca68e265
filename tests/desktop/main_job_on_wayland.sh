#!/usr/bin/env bash
# The main job on a Wayland compositor, as a GNOME or KDE session without
# Xwayland shows it: weston's headless backend, Qt's wayland platform. The
# dialogs' own tests create a file into a local folder and onto the player
# and load both back; the library shows its dialog to a host. Every window
# a dialog opens must tell the compositor which window it belongs to, so
# that the compositor keeps it on that window: read from the requests the
# client sends.
#   main_job_on_wayland.sh BIN_FOLDER
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
built=$1
for tool in weston /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so; do
    [ -e "$(command -v "$tool" || echo "$tool")" ] ||
        { echo "$tool is missing: run scripts/install-deps.sh" >&2; exit 1; }
done

# shellcheck source=../support/expect.sh
. "$here/../support/expect.sh"
scratch=$(mktemp -d)
weston_pid=
finish() {
    [ -z "$weston_pid" ] || kill "$weston_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$scratch"
}
trap finish EXIT

mkdir -m 0700 "$scratch/runtime"
export XDG_RUNTIME_DIR=$scratch/runtime WAYLAND_DISPLAY=wayland-test
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 \
    --width=1366 --height=768 >"$scratch/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break
    sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || { cat "$scratch/weston.log" >&2; exit 1; }

# Qt's input method for Wayland needs a keyboard, which a headless
# compositor has none of; the tests type through Qt itself.
export QT_QPA_PLATFORM=wayland QT_IM_MODULE=none WAYLAND_DEBUG=client
run() { # NAME PROGRAM FILTER
    echo "$1"
    "$built/$2" --gtest_filter="$3" 2>"$scratch/$2.wire" >"$scratch/$2.out" ||
        { cat "$scratch/$2.out"; fail "$1"; }
    grep -q "xdg_toplevel@.*set_title" "$scratch/$2.wire" || fail "$1: no window on the compositor"
}
run "Create into a folder and onto the player, load both back" dialogs_qt_tests "LoadCreateQtTest.*"
run "The library's dialog in a host" library_tests "LibraryTest.DialogShows*:LibraryTest.AboutBox*"

# Each new toplevel is titled after it is given its parent, if it has one.
# Only the dialog itself and a test host's own window (titled with the
# program's name) stand alone.
unattached=$(cat "$scratch"/*.wire | awk '
    /-> xdg_surface@[0-9]+\.get_toplevel/ { match($0, /xdg_toplevel@[0-9]+/); id = substr($0, RSTART, RLENGTH); parent[id] = 0 }
    /-> xdg_toplevel@[0-9]+\.set_parent\(xdg_toplevel@/ { match($0, /xdg_toplevel@[0-9]+/); parent[substr($0, RSTART, RLENGTH)] = 1 }
    /-> xdg_toplevel@[0-9]+\.set_title/ {
        match($0, /xdg_toplevel@[0-9]+/); id = substr($0, RSTART, RLENGTH)
        match($0, /"[^"]*"/); title = substr($0, RSTART, RLENGTH)
        if (!parent[id] && title != "\"Network configuration\"" && title != "\"tests\"") print title
    }' | sort -u)
expect_equal "windows not attached to the window that opened them" "" "$unattached"
exit_with_failures
