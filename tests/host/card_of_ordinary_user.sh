#!/usr/bin/env bash
# The host's list of cards as an ordinary user sees it: a card mounted for
# "nobody" under /media/nobody by root, in a mount namespace of its own with
# a tmpfs over /media, then the host's test run as nobody.
#   card_of_ordinary_user.sh HOST_WINDOW_TESTS
set -euo pipefail
tests=$1
[ -e /dev/loop-control ] || { echo "this machine has no loop devices" >&2; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
truncate -s 4M "$work/card.img"
mke2fs -q -t ext4 -L PLAYER "$work/card.img"
mkdir -m 777 "$work/home"
exec unshare --mount --propagation private sh -c '
    mount -t tmpfs tmpfs /media &&
    mkdir -p /media/nobody/PLAYER &&
    mount -o loop "$1/card.img" /media/nobody/PLAYER &&
    printf "[Common]\r\n" >/media/nobody/PLAYER/NetworkSetting.ini &&
    exec setpriv --reuid=nobody --regid=nogroup --clear-groups \
        env HOME="$1/home" XDG_CONFIG_HOME="$1/home" APPDATA="$1/home" \
        QUORLAN_CARD_OF_THIS_USER=/media/nobody/PLAYER \
        "$2" --gtest_filter=CardOfOrdinaryUserTest.*' sh "$work" "$tests"
