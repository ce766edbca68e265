#!/usr/bin/env bash
# Installs the build into a scratch folder under the packages' prefix, then
# uses what was installed as a host developer, a user and a desktop would.
#   check_installed_result.sh BUILD_FOLDER
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export APPDATA=$scratch/appdata
mkdir -p "$APPDATA"

# shellcheck source=../support/expect.sh
. "$here/../support/expect.sh"
need() {
    command -v "$1" >/dev/null || { echo "$1 is missing: run scripts/install-deps.sh" >&2; exit 1; }
}
need pkg-config
need desktop-file-validate
need xmllint
need appstreamcli

root=$scratch/root
prefix=$root/usr
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
pc=$(find "$prefix" -name quorlan.pc)
libdir=$(dirname "$(dirname "$pc")")
version=$(sed -n 's/^Version: //p' "$pc")

echo "The library, its soname and its development files"
[ -f "$libdir/libQuorlan.so.$version" ] || fail "libQuorlan.so.$version is not in $libdir"
expect_equal "link to the soname" "libQuorlan.so.$version" "$(readlink "$libdir/libQuorlan.so.${version%%.*}")"
expect_equal "unversioned link" "libQuorlan.so.${version%%.*}" "$(readlink "$libdir/libQuorlan.so")"
expect_equal "soname" "libQuorlan.so.${version%%.*}" \
    "$(objdump -p "$libdir/libQuorlan.so.$version" | sed -n 's/^ *SONAME *//p')"
[ -f "$prefix/include/Quorlan.h" ] || fail "Quorlan.h is not installed"

# The host ends itself with 3 once it has seen the dialog through the exports.
run_example_host() { # WHAT PROGRAM
    local output status=0
    output=$(LD_LIBRARY_PATH=$libdir QT_QPA_PLATFORM=offscreen "$2" "$scratch/card") || status=$?
    expect_equal "$1: exit code" 3 "$status"
    expect_equal "$1: dialog title" "shown: Network configuration" "$output"
}

echo "A C host built with pkg-config"
mkdir -p "$scratch/card"
export PKG_CONFIG_PATH=$libdir/pkgconfig PKG_CONFIG_SYSROOT_DIR=$root
# shellcheck disable=SC2046
cc -Wall -Werror -o "$scratch/pkg-config-host" "$here/example_host.c" \
    $(pkg-config --cflags --libs quorlan) -l:libglib-2.0.so.0
run_example_host "pkg-config host" "$scratch/pkg-config-host"
unset PKG_CONFIG_PATH PKG_CONFIG_SYSROOT_DIR

echo "A C host built with find_package(Quorlan)"
cmake -S "$here/cmake_host" -B "$scratch/cmake-host" -G Ninja \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_C_FLAGS="-Wall -Werror" >/dev/null
cmake --build "$scratch/cmake-host" >/dev/null
run_example_host "CMake host" "$scratch/cmake-host/example_host"

echo "The programs: versions without a display, the host finding the library"
for program in quorlan-cli quorlan-host Brenhold; do
    expect_equal "$program --version" "$program $version" \
        "$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$prefix/bin/$program" --version 2>&1)"
done
QT_QPA_PLATFORM=offscreen "$prefix/bin/quorlan-host" --screenshot "$scratch/dialog.png" ||
    fail "the installed quorlan-host did not open the dialog"
[ -s "$scratch/dialog.png" ] || fail "the installed quorlan-host saved no picture"

echo "Settings through a pipe: show --reveal | create --from -"
cli=$prefix/bin/quorlan-cli
echo '{"wireless": [{"ssid": "PipeNet", "securityMode": 4, "networkKey": "correct horse"}]}' |
    "$cli" create --from - --out "$scratch/card" >/dev/null || fail "create --from - from a pipe"
mkdir -p "$scratch/copy"
"$cli" show --reveal "$scratch/card/NetworkSetting.ini" |
    "$cli" create --from - --out "$scratch/copy" >/dev/null || fail "show --reveal | create --from -"
expect_equal "settings copied through the pipe" \
    "$("$cli" show --reveal "$scratch/card/NetworkSetting.ini")" \
    "$("$cli" show --reveal "$scratch/copy/NetworkSetting.ini")"

echo "Manual pages and bash completion"
for page in man1/quorlan-cli.1 man1/quorlan-host.1 man8/Brenhold.8; do
    gzip -t "$prefix/share/man/$page.gz" 2>/dev/null || fail "no compressed manual page $page"
done
completion=$prefix/share/bash-completion/completions/quorlan-cli
complete_words() { # WORD... : what the completion offers for the last word
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _quorlan_cli
             printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "' _ "$completion" "$@"
}
expect_equal "completion of c" "check create " "$(complete_words "$cli" c)"
offered=" $(complete_words "$cli" "")"
for word in create check show encrypt decrypt messages import-networkmanager --help --version; do
    [[ "$offered" == *" $word "* ]] || fail "completion of the first word lacks $word: $offered"
done
expect_equal "options of create" "--from --help --out " "$(complete_words "$cli" create --)"
expect_equal "options of show" "--help --reveal " "$(complete_words "$cli" show -)"
# Its usage goes on over a second line.
expect_equal "options of import-networkmanager" "--dir --help --reveal --timestamps " \
    "$(complete_words "$cli" import-networkmanager --)"
expect_equal "standard input for --from" "- " "$(complete_words "$cli" create --from -)"

echo "Desktop entry and polkit action"
desktop=$prefix/share/applications/brenhold.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate: $desktop"
policy_dir=$prefix/share/polkit-1/actions
policy=$(find "$policy_dir" -name '*.policy')
xmllint --noout "$policy" || fail "the polkit action is not well-formed XML"
action=$(xmllint --xpath 'string(//action/@id)' "$policy")
expect_equal "action id and file name" "$policy_dir/$action.policy" "$policy"
# The entry starts Brenhold itself, which raises itself through pkexec; pkexec
# picks the action whose exec.path is that program.
exec_path=$(xmllint --xpath \
    'string(//action/annotate[@key="org.freedesktop.policykit.exec.path"])' "$policy")
expect_equal "desktop entry starts the action's program" "Exec=$exec_path" \
    "$(grep '^Exec=' "$desktop")"
expect_equal "the action's program, installed" "/usr/bin/Brenhold" "$exec_path"
[ -x "$root$exec_path" ] || fail "$exec_path is not installed"
icon=$(sed -n 's/^Icon=//p' "$desktop")
expect_equal "the action's icon" "$icon" "$(xmllint --xpath 'string(//action/icon_name)' "$policy")"
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "icon $icon is not installed"

echo "The network configuration's menu entry and software centre page"
entry=$prefix/share/applications/org.kordavin.quorlan.desktop
desktop-file-validate --no-hints "$entry" || fail "desktop-file-validate: $entry"
expect_equal "the entry starts the host" "Exec=/usr/bin/quorlan-host" "$(grep '^Exec=' "$entry")"
[ -x "$prefix/bin/quorlan-host" ] || fail "quorlan-host is not installed"
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "icon $icon is not installed"
metainfo=$prefix/share/metainfo/org.kordavin.quorlan.metainfo.xml
appstreamcli validate --no-net "$metainfo" >/dev/null || fail "appstreamcli validate: $metainfo"
expect_equal "the page launches the entry" "org.kordavin.quorlan.desktop" \
    "$(xmllint --xpath 'string(//launchable[@type="desktop-id"])' "$metainfo")"
expect_equal "the page's release is this version" "$version" \
    "$(xmllint --xpath 'string(//release/@version)' "$metainfo")"

exit_with_failures
