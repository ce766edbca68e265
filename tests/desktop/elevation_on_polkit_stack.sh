#!/usr/bin/env bash
# An ordinary user starts Brenhold as on a desktop, against the real stack: a
# system D-Bus, polkitd, the setuid pkexec and an X server that wants its
# cookie. First through "Start security setting" in quorlan-host, then from
# a host whose folder links to Brenhold, by hand, and from Brenhold's menu
# entry through a launcher that exits at once (gio launch). Everything runs in private mount, PID and network namespaces: the
# machine's files stay as they are, and every process started ends with it.
#   elevation_on_polkit_stack.sh BIN_FOLDER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" != --inside ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "SKIPPED: only root can make the private namespaces and start polkitd"
        exit 77
    fi
    for tool in unshare setpriv pkexec dbus-daemon dbus-send Xvfb xauth xdotool xprop gio \
        /usr/lib/polkit-1/polkitd; do
        command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh" >&2; exit 1; }
    done
    exec unshare --mount --pid --net --fork --mount-proc --propagation private "$0" --inside "$1"
fi
built=$2

# shellcheck source=../support/expect.sh
. "$here/../support/expect.sh"
show_logs_at_a_failed_end /mnt/logs

# The programs, where the ordinary user may run them, and the logs.
mount -t tmpfs -o mode=755 tmpfs /mnt
mkdir /mnt/bin /mnt/logs /mnt/overlay
cp -a "$built"/quorlan-host "$built"/Brenhold "$built"/libQuorlan.so* /mnt/bin/
programs=/mnt/bin
# The installed action, for the Brenhold of this run.
for template in org.kordavin.brenhold.policy brenhold.desktop; do
    sed -e "s|@CMAKE_INSTALL_FULL_BINDIR@|$programs|" -e 's|@PROJECT_VERSION@|under test|' \
        "$here/../../authlevel/$template.in" >"/mnt/$template"
done
sed -e "s|@CMAKE_INSTALL_FULL_BINDIR@|$programs|" -e 's|@PROJECT_VERSION@|under test|' \
    "$here/../../host/org.kordavin.quorlan.desktop.in" >/mnt/org.kordavin.quorlan.desktop
# A host of its own folder, which holds a link to the installed Brenhold.
mkdir /mnt/linked
cp -a "$built"/quorlan-host "$built"/libQuorlan.so* /mnt/linked/
ln -s "$programs/Brenhold" /mnt/linked/Brenhold

# Private scratch, sockets and runtime state; copies of the folders the
# stack writes to, which end with the run.
mount -t tmpfs -o mode=1777 tmpfs /tmp
mount -t tmpfs -o mode=755 tmpfs /run
mkdir /run/dbus
over() { # FOLDER
    local name=${1//\//_}
    mkdir -p "/mnt/overlay/$name/upper" "/mnt/overlay/$name/work"
    mount -t overlay overlay \
        -o "lowerdir=$1,upperdir=/mnt/overlay/$name/upper,workdir=/mnt/overlay/$name/work" "$1"
}
over /var/lib
over /etc
mkdir -p /etc/samba /etc/polkit-1/rules.d
[ -f /etc/samba/smb.conf ] || printf '[global]\n' >/etc/samba/smb.conf
mount -t tmpfs tmpfs /usr/share/polkit-1/actions
cp /mnt/org.kordavin.brenhold.policy /usr/share/polkit-1/actions/

# Brenhold runs as root, where no test's restart command reaches it: a
# restart only leaves a note.
restart_note=/mnt/logs/restart
printf '#!/bin/sh\necho "$0 $*" >> %s\n' "$restart_note" >/mnt/bin/no-restart
chmod 755 /mnt/bin/no-restart
for systemctl in /usr/bin/systemctl /bin/systemctl; do
    [ -e "$systemctl" ] && mount --bind /mnt/bin/no-restart "$systemctl"
done

# The user "nobody" may run Brenhold once /run/kordavin-allowed exists, and
# never before: there is no authentication agent to ask for a password.
cat >/etc/polkit-1/rules.d/50-kordavin-test.rules <<'EOF'
polkit.addRule(function(action, subject) {
    if (action.id != "org.kordavin.brenhold" || subject.user != "nobody") {
        return polkit.Result.NOT_HANDLED;
    }
    try {
        polkit.spawn(["/usr/bin/test", "-e", "/run/kordavin-allowed"]);
        return polkit.Result.YES;
    } catch (notYet) {
        return polkit.Result.NOT_HANDLED;
    }
});
EOF

dbus-daemon --system --fork
/usr/lib/polkit-1/polkitd --no-debug >/mnt/logs/polkitd 2>&1 &
polkit_on_bus() {
    dbus-send --system --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.freedesktop.PolicyKit1 | grep -q 'boolean true'
}
await "polkitd on the system bus" polkit_on_bus || exit 1

# An X server that lets in only who has its cookie.
cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
touch /mnt/x-server-auth
xauth -q -f /mnt/x-server-auth add :0 . "$cookie"
Xvfb -displayfd 3 -auth /mnt/x-server-auth -nolisten tcp -noreset -screen 0 1920x1080x24 \
    3>/mnt/display 2>/mnt/logs/xvfb &
await "the X server" test -s /mnt/display || exit 1
export DISPLAY=:$(cat /mnt/display)
home=/tmp/home
mkdir -p "$home/card"
touch "$home/.Xauthority"
xauth -q -f "$home/.Xauthority" add "$DISPLAY" . "$cookie"
chown -R nobody: "$home"
chmod 700 "$home"
export XAUTHORITY=$home/.Xauthority
XAUTHORITY=/dev/null xprop -root >/dev/null 2>&1 && fail "the X server lets in a client without the cookie"

# The user's session: no XAUTHORITY, as after startx, so the cookie is the
# one in the home folder.
as_user() {
    setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups -- \
        env -i HOME="$home" PATH=/usr/bin:/bin SHELL=/bin/sh LANG=en_US.UTF-8 \
        DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$home/config" "$@"
}
window_titled() { # TITLE: its id, when one is shown
    xdotool search --onlyvisible --name "^$1\$" | head -n 1 | grep .
}
window_gone() { ! window_titled "$1"; }
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
pid_of_window() { xprop -id "$1" _NET_WM_PID | sed 's/.* = //'; }
field() { sed -n "s/^$2:[[:space:]]*//p" "/proc/$1/status" | cut -f1; } # PID FIELD
shown_windows() { xdotool search --onlyvisible --name . | sort | tr '\n' ' '; }
shown_twice() { [ "$(xdotool search --onlyvisible --name "^$1\$" | wc -l)" = 2 ]; }
only_one_named() { [ "$(ps -e -o comm= | grep -c -x "$1")" = 1 ]; }
# Gone, or a zombie that nobody has reaped yet.
ended() { [ ! -d "/proc/$1" ] || grep -q '^State:.*Z' "/proc/$1/status"; }
stored_level() {
    grep -rhi '^lmcompatibilitylevel=' /var/lib/kordavin/registry 2>/dev/null | tr -d '\r'
}
level_stored() { [ "$(stored_level)" = "lmcompatibilitylevel=dword:0000000$1" ]; }

# Brenhold as root on the user's display, its parent the user's own live
# process; a level chosen there is written. Then it ends, and so does the
# process that kept pkexec company.
confirm_level_in_brenhold() { # HOW_STARTED PARENT_NAME LEVEL [KEY]
    local brenhold pid parent
    await "$1: Brenhold's dialog" window_titled "Local Security Setting" || return
    brenhold=$(window_titled "Local Security Setting")
    brenhold_width=$(xdotool getwindowgeometry "$brenhold" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
    pid=$(pid_of_window "$brenhold")
    expect_equal "$1: Brenhold's user" 0 "$(field "$pid" Uid)"
    parent=$(field "$pid" PPid)
    expect_equal "$1: pkexec's parent" "$2" "$(cat "/proc/$parent/comm")"
    expect_equal "$1: the parent's user" "$(id -u nobody)" "$(field "$parent" Uid)"
    xdotool windowfocus --sync "$brenhold"
    xdotool key "${4:-Down}" Return
    await "$1: the confirmation" shown_twice "Local Security Setting" || return
    xdotool key Return
    await "$1: the level stored" level_stored "$3" || echo "stored: $(stored_level)" >&2
    await "$1: the restart question" shown_twice "Local Security Setting" || return
    xdotool key Return # No, the default: Enter never restarts
    await "$1: Brenhold ending" ended "$pid" || return
    await "$1: its keeper ending" ended "$parent"
    grep -q "include = /etc/samba/kordavin-lm.conf" /etc/samba/smb.conf ||
        fail "$1: smb.conf does not include Brenhold's options"
    [ -s /etc/samba/kordavin-lm.conf ] || fail "$1: Brenhold's Samba options are missing"
}

echo "Start security setting, as an ordinary user, the dialog at twice the size"
as_user env QT_SCALE_FACTOR=2 "$programs/quorlan-host" --open --device-path "$home/card" --device-name Player \
    >/mnt/logs/host 2>&1 &
host=$!
await "the main dialog" window_titled "Network configuration" || exit 1
main=$(window_titled "Network configuration")
xdotool windowfocus --sync "$main"
xdotool key Right Right Tab # the security page's tab, then its button
before=$(shown_windows)

echo "... refused: no agent to ask, no rule that allows it"
xdotool key space
await "pkexec's refusal" grep -q "authentication agent" /mnt/logs/host
await "the refused start's keeper ending" only_one_named quorlan-host
expect_equal "windows after the refusal" "$before" "$(shown_windows)"
kill -0 "$host" || fail "the host ended after the refusal"

echo "... allowed"
touch /run/kordavin-allowed
xdotool windowfocus --sync "$main"
xdotool key space
confirm_level_in_brenhold "from the dialog" quorlan-host 3
# Brenhold brings the host's window back, and with it the dialog open on it.
await "the focus back in the main dialog" has_focus "$main"
width_at_twice=$brenhold_width
kill -0 "$host" || fail "the host ended while Brenhold ran"
# A second host would only raise the first one's dialog.
first_host=$(pid_of_window "$main")
kill "$first_host"
await "the first host ending" ended "$first_host"
# Its window outlives it until the X server has seen it go.
await "the first host's dialog closing" window_gone "Network configuration"

echo "Start security setting in a host whose folder links to Brenhold"
as_user /mnt/linked/quorlan-host --open --device-path "$home/card" --device-name Player \
    >/mnt/logs/linked-host 2>&1 &
await "the linked host's dialog" window_titled "Network configuration" || exit 1
main=$(window_titled "Network configuration")
xdotool windowfocus --sync "$main"
xdotool key Right Right Tab
xdotool windowfocus --sync "$main"
xdotool key space
confirm_level_in_brenhold "through the link" quorlan-host 4
await "the focus back in the linked host's dialog" has_focus "$main"

echo "Brenhold started by hand, as an ordinary user with XAUTHORITY set"
as_user env XAUTHORITY="$home/.Xauthority" "$programs/Brenhold" >/mnt/logs/brenhold 2>&1 &
confirm_level_in_brenhold "by hand" Brenhold 5
# pkexec keeps no QT_SCALE_FACTOR; Brenhold is told the dialog's scale.
[ "$width_at_twice" -ge $((brenhold_width * 18 / 10)) ] ||
    fail "Brenhold from a dialog at 2x is $width_at_twice wide, by hand $brenhold_width"

echo "Brenhold's menu entry, through a launcher that exits at once"
as_user gio launch /mnt/brenhold.desktop >/mnt/logs/gio-launch 2>&1 ||
    fail "gio launch: $(cat /mnt/logs/gio-launch)"
confirm_level_in_brenhold "from the menu entry" Brenhold 4 Up

echo "The network configuration's menu entry, in German, through a launcher that exits at once"
# One dialog per user: the linked host's would only be raised.
linked_host=$(pid_of_window "$(window_titled "Network configuration")")
kill "$linked_host"
await "the linked host ending" ended "$linked_host"
as_user env LANG=de_DE.UTF-8 gio launch /mnt/org.kordavin.quorlan.desktop \
    >/mnt/logs/gio-launch-host 2>&1 || fail "gio launch: $(cat /mnt/logs/gio-launch-host)"
if await "the host's window" window_titled "KORDAVIN setting utility"; then
    host_window=$(window_titled "KORDAVIN setting utility")
    xdotool windowfocus --sync "$host_window"
    xdotool key Return # opens the dialog, in the host's language
    await "the dialog in German" window_titled "Netzwerkkonfiguration"
    kill "$(pid_of_window "$host_window")"
fi

[ -e "$restart_note" ] && fail "a restart was asked for: $(cat "$restart_note")"
exit_with_failures
