#!/usr/bin/env bash
# The computer's networks from a real NetworkManager: a system D-Bus,
# polkitd and NetworkManager with its keyfile plugin on a folder of test
# connections, no devices, in private mount, PID and network namespaces.
# The client, the property dialog on Qt and quorlan-cli as root and as an
# ordinary user, with secrets refused and then allowed by a polkit rule;
# last with NetworkManager gone.
#   network_manager_stack.sh STACK_TESTS QUORLAN_CLI FONTCONFIG_FILE [BENCHMARK]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" != --inside ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "SKIPPED: only root can make the private namespaces and start NetworkManager"
        exit 77
    fi
    for tool in unshare setpriv dbus-daemon dbus-send NetworkManager /usr/lib/polkit-1/polkitd; do
        command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh" >&2; exit 1; }
    done
    exec unshare --mount --pid --net --fork --mount-proc --propagation private "$0" --inside "$@"
fi
shift

# shellcheck source=../support/expect.sh
. "$here/../support/expect.sh"
show_logs_at_a_failed_end /mnt/logs

mount -t tmpfs -o mode=755 tmpfs /mnt
mkdir /mnt/bin /mnt/logs /mnt/connections /mnt/home
cp "$1" /mnt/bin/stack-tests
cp "$2" /mnt/bin/quorlan-cli
cp "$3" /mnt/fonts.conf
benchmark=${4:-}
chmod 755 /mnt/bin/*
chown nobody: /mnt/home
mount -t tmpfs -o mode=1777 tmpfs /tmp
mount -t tmpfs -o mode=755 tmpfs /run
mkdir -p /run/dbus /etc/polkit-1/rules.d 2>/dev/null || true
mount -t tmpfs tmpfs /etc/polkit-1/rules.d
mount -t tmpfs tmpfs /var/lib/NetworkManager

# The connections, as NetworkManager writes them; only root may read them.
cat >/mnt/connections/home.nmconnection <<'EOC'
[connection]
id=Home
uuid=0b8e6f5a-3c44-4e0c-9d0e-6a1f2b3c4d01
type=wifi
autoconnect-priority=5

[wifi]
mode=infrastructure
ssid=Home

[wifi-security]
key-mgmt=wpa-psk
psk=home passphrase

[ipv4]
method=auto
EOC
cat >/mnt/connections/lab.nmconnection <<'EOC'
[connection]
id=Lab
uuid=0b8e6f5a-3c44-4e0c-9d0e-6a1f2b3c4d02
type=wifi

[wifi]
hidden=true
mode=infrastructure
ssid=Lab

[wifi-security]
key-mgmt=wpa-psk
pairwise=ccmp;
proto=wpa;
psk=lab passphrase

[ipv4]
address1=10.1.2.30/16,10.1.0.1
dns=10.1.0.2;10.1.0.3;
method=manual
EOC
cat >/mnt/connections/cafe.nmconnection <<'EOC'
[connection]
id=Cafe
uuid=0b8e6f5a-3c44-4e0c-9d0e-6a1f2b3c4d03
type=wifi

[wifi]
ssid=Cafe
EOC
cat >/mnt/connections/wpa3.nmconnection <<'EOC'
[connection]
id=Wpa3
uuid=0b8e6f5a-3c44-4e0c-9d0e-6a1f2b3c4d05
type=wifi

[wifi]
ssid=Wpa3

[wifi-security]
key-mgmt=sae
psk=wpa3 passphrase
EOC
cat >/mnt/connections/old.nmconnection <<'EOC'
[connection]
id=Old
uuid=0b8e6f5a-3c44-4e0c-9d0e-6a1f2b3c4d06
type=wifi

[wifi]
ssid=Old

[wifi-security]
key-mgmt=none
wep-key-type=1
wep-key0=abcde
EOC
cat >/mnt/connections/wired.nmconnection <<'EOC'
[connection]
id=Wired
uuid=0b8e6f5a-3c44-4e0c-9d0e-6a1f2b3c4d04
type=ethernet
EOC
chmod 600 /mnt/connections/*
chmod 700 /mnt/connections
# NetworkManager's own folder, for the import without it.
mkdir -p /mnt/etc-nm
[ -d /etc/NetworkManager ] || mount -t tmpfs tmpfs /etc # none installed: an empty /etc will do
mount -t tmpfs tmpfs /etc/NetworkManager 2>/dev/null || true
mkdir -p /etc/NetworkManager/system-connections
mount --bind /mnt/connections /etc/NetworkManager/system-connections
cat >/mnt/NetworkManager.conf <<EOC
[main]
plugins=keyfile
[keyfile]
path=/mnt/connections
unmanaged-devices=*
EOC

dbus-daemon --system --fork
/usr/lib/polkit-1/polkitd --no-debug >/mnt/logs/polkitd 2>&1 &
on_bus() { # NAME
    dbus-send --system --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$1" | grep -q 'boolean true'
}
await "polkitd on the system bus" on_bus org.freedesktop.PolicyKit1 || exit 1
NetworkManager --no-daemon --config=/mnt/NetworkManager.conf >/mnt/logs/NetworkManager 2>&1 &
network_manager=$!
await "NetworkManager on the system bus" on_bus org.freedesktop.NetworkManager || exit 1
nm_ready() { nmcli -t -f NAME connection show | grep -qx Lab; }
await "NetworkManager's connections" nm_ready || exit 1

environment=(HOME=/mnt/home PATH=/usr/bin:/bin LANG=en_US.UTF-8 QT_QPA_PLATFORM=offscreen
             FONTCONFIG_FILE=/mnt/fonts.conf XDG_CONFIG_HOME=/mnt/home/config)
as_root() { env -i "${environment[@]}" "$@"; }
as_user() {
    setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups -- env -i "${environment[@]}" "$@"
}
stack_tests() { # WHO STATE TESTS_THAT_APPLY
    local log=/mnt/logs/stack-tests-$1-$2
    "as_$1" QUORLAN_NM_STACK="$2" QUORLAN_NM_ANSWER_TAKES_A_SECOND="${QUORLAN_NM_ANSWER_TAKES_A_SECOND:-}" \
        /mnt/bin/stack-tests >"$log" 2>&1 ||
        fail "the stack tests as $1 with secrets $2: $(grep -E 'Failure|FAILED|error' "$log" | head -5)"
    expect_equal "stack tests run as $1 with secrets $2" "$3" "$(grep -c '^\[       OK \]' "$log")"
}
import() { # WHO: the output, the notes in /mnt/logs/import-WHO, its exit code last
    local code=0
    "as_$1" /mnt/bin/quorlan-cli import-networkmanager --reveal 2>/mnt/logs/import-"$1" || code=$?
    echo "exit $code"
}

echo "As root: every secret is given"
stack_tests root allowed 2
output=$(import root)
for expected in '"ssid": "Home"' '"networkKey": "home passphrase"' '"networkKey": "lab passphrase"' \
    '"ipAddress": "10.1.2.30"' '"ssid": "Cafe"' '"networkKey": "abcde"' 'exit 1'; do
    grep -qF "$expected" <<<"$output" || fail "root's import lacks $expected: $output"
done

echo "As an ordinary user without a rule: listed, the keys refused"
stack_tests user refused 1
output=$(import user)
grep -qF '"ssid": "Cafe"' <<<"$output" || fail "the user's import lacks the open network: $output"
grep -qF 'passphrase' <<<"$output" && fail "a key reached the user: $output"
expect_equal "the user's import exit" "exit 1" "$(tail -n 1 <<<"$output")"
grep -q "skipped 'Home' (home.nmconnection): NetworkManager gave no secrets: .* (it gives them to root, and to the users polkit allows)$" \
    /mnt/logs/import-user ||
    fail "the refusal is not told: $(cat /mnt/logs/import-user)"
# No key is asked for where the player could not use it.
grep -q "skipped 'Wpa3' (wpa3.nmconnection): WPA3 Personal (SAE) only" /mnt/logs/import-user ||
    fail "the WPA3 connection's reason is not told: $(cat /mnt/logs/import-user)"

echo "As an ordinary user whom a polkit rule lets have them"
cat >/etc/polkit-1/rules.d/50-kordavin-test.rules <<'EOR'
polkit.addRule(function(action, subject) {
    if (action.id.indexOf("org.freedesktop.NetworkManager.settings.modify.") == 0 &&
        subject.user == "nobody") {
        if (action.id == "org.freedesktop.NetworkManager.settings.modify.system") {
            polkit.spawn(["/bin/sleep", "1"]); // as long as a person takes to confirm
        }
        return polkit.Result.YES;
    }
});
EOR
sleep 1 # polkitd reads its rules again on a change of the folder
QUORLAN_NM_ANSWER_TAKES_A_SECOND=1 stack_tests user allowed 2
output=$(import user)
grep -qF '"networkKey": "home passphrase"' <<<"$output" || fail "the allowed user's import: $output"
expect_equal "the allowed user's import exit" "exit 1" "$(tail -n 1 <<<"$output")" # WPA3

echo "NetworkManager gone: nothing reached, at once; the import reads the folder as before"
kill "$network_manager"
wait "$network_manager" || true
stack_tests root absent 1
stack_tests user absent 1
as_user /mnt/bin/quorlan-cli import-networkmanager >/dev/null 2>/mnt/logs/import-absent &&
    fail "the user's import without NetworkManager succeeded"
grep -q "NetworkManager lets only root read them" /mnt/logs/import-absent ||
    fail "without NetworkManager the import does not say it needs root: $(cat /mnt/logs/import-absent)"
output=$(import root)
grep -qF '"networkKey": "lab passphrase"' <<<"$output" || fail "root's import from the folder: $output"
grep -h "took" /mnt/logs/stack-tests-*-absent
if [ -n "$benchmark" ]; then # figures only, with their baseline; no test of them
    "$benchmark" --benchmark_min_time=0.2 2>/dev/null | grep '^BM_' || true
fi
exit_with_failures
