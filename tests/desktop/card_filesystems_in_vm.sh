#!/usr/bin/env bash
# NetworkSetting.ini written onto a player's card as the desktop mounts it:
# vfat and exFAT with udisks2's options, under Debian's own kernel in QEMU
# (the kernel of a machine that runs tests may have neither), by an ordinary
# user. The tool creates the file, creates it again over it and loads it
# back; then the card is "pulled" (the machine killed) right after the
# success message, and the image must be clean with the whole file on it.
#   card_filesystems_in_vm.sh BIN_FOLDER WORK_FOLDER
set -euo pipefail
bin=$1
work=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../support/expect.sh
. "$here/../support/expect.sh"
for tool in qemu-system-x86_64 busybox mkfs.vfat mkfs.exfat fsck.vfat fsck.exfat mcopy \
    mount.exfat-fuse losetup setpriv; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh" >&2; exit 1; }
done
mkdir -p "$work"

# Debian's kernel and its modules, fetched once into the work folder.
kernel=$work/kernel
if ! ls "$kernel"/x/boot/vmlinuz-* >/dev/null 2>&1; then
    rm -rf "$kernel" && mkdir -p "$kernel"
    package=$(apt-cache depends linux-image-amd64 | awk '/Depends: linux-image-/ {print $2; exit}')
    (cd "$kernel" && apt-get download -q "$package" >/dev/null 2>&1 && dpkg-deb -x ./*.deb x) ||
        { echo "could not fetch $package with apt-get download" >&2; exit 1; }
fi
vmlinuz=$(ls "$kernel"/x/boot/vmlinuz-*)
modules=$(ls -d "$kernel"/x/lib/modules/*/kernel)

# The machine's root: busybox, the tool and setpriv with their libraries,
# the modules for the card, and the steps it takes.
root=$work/root
rm -rf "$root" && mkdir -p "$root"/{bin,dev,proc,sys,tmp,media/user/CARD,modules}
cp /bin/busybox "$root/bin/"
for applet in sh mount umount insmod cat sleep ls echo grep env; do
    ln -s busybox "$root/bin/$applet"
done
with_libraries() { # FILE: copies the libraries the file loads, as their paths are
    ldd "$1" | grep -o '/[^ )]*' | while read -r library; do
        cp --parents -L "$library" "$root"
    done
}
cp "$bin/quorlan-cli" "$root/bin/" && with_libraries "$bin/quorlan-cli"
# The code pages, as iconv finds them.
gconv=$(dirname "$(realpath "$(ldd "$bin/quorlan-cli" | grep -o "/[^ ]*/libc.so.6")")")/gconv
cp --parents -r "$gconv" "$root"
# Not in /bin: busybox's shell would run its own setpriv for that name.
mkdir -p "$root/usr/local/bin"
cp "$(command -v setpriv)" "$root/usr/local/bin/" && with_libraries "$(command -v setpriv)"
for module in drivers/virtio/virtio_ring drivers/virtio/virtio drivers/virtio/virtio_pci_modern_dev \
    drivers/virtio/virtio_pci_legacy_dev drivers/virtio/virtio_pci drivers/block/virtio_blk \
    fs/fat/fat fs/fat/vfat fs/exfat/exfat fs/nls/nls_cp437 fs/nls/nls_ascii fs/nls/nls_utf8; do
    cp "$modules/$module.ko" "$root/modules/"
done
cat >"$root/settings.json" <<'EOF'
{ "networkFolder": { "customize": true, "deviceName": "player-1", "userId": "guest",
                     "password": "pw" },
  "wireless": [ { "ssid": "HomeNet", "securityMode": 4, "networkKey": "a passphrase" } ] }
EOF
cat >"$root/init" <<'EOF'
#!/bin/sh
mount -t proc proc /proc
mount -t devtmpfs dev /dev
for module in virtio_ring virtio virtio_pci_modern_dev virtio_pci_legacy_dev virtio_pci \
    virtio_blk fat vfat exfat nls_cp437 nls_ascii nls_utf8; do
    insmod /modules/$module.ko
done
for _ in $(seq 100); do [ -b /dev/vda ] && break; sleep 0.1; done
mounting=$(grep -o 'card=[a-z-]*' /proc/cmdline | cut -d= -f2)
# As udisks2 mounts a card for the user with uid 1000, and as a hand-written
# mount line would, without udisks2's early flushing.
case $mounting in
vfat) fs=vfat options=uid=1000,gid=1000,shortname=mixed,utf8=1,showexec,flush ;;
vfat-by-hand) fs=vfat options=uid=1000,gid=1000 ;;
exfat) fs=exfat options=uid=1000,gid=1000,iocharset=utf8,errors=remount-ro ;;
esac
mount -t "$fs" -o "$options" /dev/vda /media/user/CARD || echo "STEP mount failed"
as_user() { /usr/local/bin/setpriv --reuid=1000 --regid=1000 --clear-groups env LANG=C.UTF-8 "$@"; }
card=/media/user/CARD
as_user quorlan-cli create --from /settings.json --out $card && echo "STEP create passed"
as_user quorlan-cli create --from /settings.json --out $card && echo "STEP overwrite passed"
as_user quorlan-cli check $card/NetworkSetting.ini && echo "STEP load passed"
[ "$(ls -a $card)" = "$(printf '.\n..\nNetworkSetting.ini')" ] && echo "STEP nothing-else passed"
# Pulled out the moment the tool says it wrote the file.
as_user quorlan-cli create --from /settings.json --out $card && echo "STEP pull-now"
echo "STEP end"
sleep 1000
EOF
chmod +x "$root/init"
(cd "$root" && find . | busybox cpio -o -H newc 2>/dev/null | gzip -1) >"$work/root.cpio.gz"

# The tool's own file from the same settings, as the card must hold it.
expected=$work/expected.txt
"$bin/quorlan-cli" create --from "$root/settings.json" --out "$work" >/dev/null
"$bin/quorlan-cli" show "$work/NetworkSetting.ini" >"$expected"

# Boots the machine on a card image of the file system and kills it at the
# pull; the steps it printed are in LOG.
boot() { # FILE_SYSTEM IMAGE LOG
    qemu-system-x86_64 -m 256 -nographic -no-reboot -kernel "$vmlinuz" \
        -initrd "$work/root.cpio.gz" -append "console=ttyS0 quiet panic=-1 card=$1" \
        -drive "file=$2,format=raw,if=virtio" -serial "file:$3" -monitor none \
        -display none >/dev/null 2>&1 &
    local machine=$!
    for _ in $(seq 1200); do
        grep -q "STEP pull-now\|STEP end" "$3" 2>/dev/null && break
        kill -0 "$machine" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$machine" 2>/dev/null || true
    wait "$machine" 2>/dev/null || true
}

for mounting in vfat vfat-by-hand exfat; do
    fs=${mounting%-by-hand}
    image=$work/card-$mounting.img
    log=$work/console-$mounting.log
    rm -f "$image" "$log"
    truncate -s 64M "$image"
    case $fs in
    vfat) mkfs.vfat -n CARD "$image" >/dev/null ;;
    exfat) mkfs.exfat -L CARD "$image" >/dev/null ;;
    esac
    boot "$mounting" "$image" "$log"
    for step in create overwrite load nothing-else; do
        grep -q "STEP $step passed" "$log" || fail "$mounting: $step, as the console said: $(tr -d '\r' <"$log" | grep -v '^\[' | tail -5)"
    done
    grep -q "STEP pull-now" "$log" || fail "$mounting: the last create did not finish"
    # The card pulled: clean, and the whole file on it.
    copy=$work/pulled-$mounting
    rm -rf "$copy" && mkdir -p "$copy"
    case $fs in
    vfat)
        # A card pulled while mounted keeps its dirty bit; anything else is a fault.
        fsck.vfat -n "$image" >"$work/fsck-$mounting.log" 2>&1 || true
        if grep -v -e '^fsck.fat ' -e '^Dirty bit is set' -e 'Automatically removing dirty bit' \
            -e '^Leaving filesystem unchanged' -e "^$image: " -e '^ *$' "$work/fsck-$mounting.log"; then
            fail "$mounting: fsck.vfat -n: $(cat "$work/fsck-$mounting.log")"
        fi
        mcopy -n -i "$image" ::NetworkSetting.ini "$copy/" || fail "$mounting: the file is not on the card"
        ;;
    exfat)
        fsck.exfat -n "$image" >"$work/fsck-$fs.log" 2>&1 || fail "exfat: fsck.exfat -n: $(cat "$work/fsck-$fs.log")"
        # Read with FUSE, which needs no exFAT in this machine's kernel.
        mkdir -p "$work/mounted-$fs"
        if unshare --mount sh -c "device=\$(losetup --find --show --read-only '$image') &&
              mount.exfat-fuse -o ro \$device '$work/mounted-$fs' &&
              cp '$work/mounted-$fs/NetworkSetting.ini' '$copy/'; status=\$?;
              umount '$work/mounted-$fs'; losetup -d \$device; exit \$status" \
            2>"$work/fuse-$fs.log"; then :; else
            fail "exfat: the file could not be read back: $(cat "$work/fuse-$fs.log")"
        fi
        ;;
    esac
    if [ -f "$copy/NetworkSetting.ini" ]; then
        "$bin/quorlan-cli" show "$copy/NetworkSetting.ini" >"$copy/shown.txt" 2>&1 ||
            fail "$mounting: the pulled card's file does not load: $(cat "$copy/shown.txt")"
        cmp -s "$copy/shown.txt" "$expected" || fail "$mounting: the pulled card holds other settings"
    fi
done
exit_with_failures
