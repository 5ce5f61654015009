#!/bin/bash
# Builds the test guest and boots it: Debian's cloud kernel with its HID
# modules, and an initramfs of busybox, the virtual mouse and the device test
# program. Passes or fails on the verdict the guest prints on its serial
# console. Exits 77 (skipped) only where QEMU is not installed.
#
# usage: run-guest-test.sh WORK_DIR INIT_SCRIPT VIRTUAL_MOUSE TEST_PROGRAM
set -euo pipefail

readonly WORK_DIR=$1 INIT_SCRIPT=$2 VIRTUAL_MOUSE=$3 TEST_PROGRAM=$4
readonly KERNEL_DIR=$WORK_DIR/kernel
readonly STAGING_DIR=$WORK_DIR/initramfs
readonly INITRD=$WORK_DIR/initrd.gz
readonly SERIAL_LOG=$WORK_DIR/serial.log
readonly KERNEL_PACKAGE=linux-image-cloud-amd64
readonly MODULES=(hid hid-generic uhid)
readonly BOOT_TIMEOUT_SECONDS=300
readonly SKIP=77

fail() {
    echo "guest test: $*" >&2
    exit 1
}

require_tools() {
    if ! command -v qemu-system-x86_64 > /dev/null; then
        echo "guest test: SKIPPED: qemu-system-x86_64 is not installed (Debian package qemu-system-x86)"
        exit $SKIP
    fi
    # The initramfs has no C library for busybox: it must be the static build.
    if [ ! -x /bin/busybox ] || ldd /bin/busybox > /dev/null 2>&1; then
        fail "a static /bin/busybox is needed (Debian package busybox-static)"
    fi
    command -v apt-get > /dev/null && command -v dpkg-deb > /dev/null ||
        fail "apt-get and dpkg-deb are needed to fetch the kernel"
}

# A module file of the unpacked kernel; compressed modules are unpacked here
# because busybox's insmod takes plain ones.
install_module() {
    local root=$1 name=$2 file
    file=$(find "$root/lib/modules" -name "$name.ko" -o -name "$name.ko.xz" -o -name "$name.ko.zst" | head -n 1)
    case "$file" in
        "")
            grep -q "/$name.ko\$" "$root"/lib/modules/*/modules.builtin ||
                fail "module $name is neither in the kernel package nor built in"
            return ;;
        *.xz) xz -dc "$file" > "$KERNEL_DIR/modules/$name.ko" ;;
        *.zst) zstd -dqc "$file" > "$KERNEL_DIR/modules/$name.ko" ;;
        *) cp "$file" "$KERNEL_DIR/modules/$name.ko" ;;
    esac
    echo "$name.ko" >> "$KERNEL_DIR/modules/load-order"
}

# Debian's cloud kernel, fetched once per build tree and kept there.
fetch_kernel() {
    [ -f "$KERNEL_DIR/vmlinuz" ] && [ -f "$KERNEL_DIR/modules/load-order" ] && return
    local download=$WORK_DIR/kernel-download
    rm -rf "$KERNEL_DIR" "$download"
    mkdir -p "$download" "$KERNEL_DIR/modules"
    (
        cd "$download"
        apt-get download -q "$KERNEL_PACKAGE" > /dev/null 2>&1 ||
            fail "apt-get download $KERNEL_PACKAGE failed (is the Debian package registry reachable?)"
        # The meta package names the versioned image package.
        local image
        image=$(dpkg-deb -f "$KERNEL_PACKAGE"_*.deb Depends | grep -o 'linux-image-[^ ,]*' | head -n 1)
        [ -n "$image" ] || fail "$KERNEL_PACKAGE names no kernel image"
        apt-get download -q "$image" > /dev/null 2>&1 || fail "apt-get download $image failed"
        dpkg-deb -x "$image"_*.deb root
    )
    cp "$download"/root/boot/vmlinuz-* "$KERNEL_DIR/vmlinuz"
    : > "$KERNEL_DIR/modules/load-order"
    for module in "${MODULES[@]}"; do
        install_module "$download/root" "$module"
    done
    basename "$download"/root/boot/vmlinuz-* > "$KERNEL_DIR/version"
    rm -rf "$download"
}

# A program and the shared libraries it loads, at the paths it expects them.
install_program() {
    local program=$1
    cp "$program" "$STAGING_DIR/bin/"
    # ldd fails on a static program, which needs nothing more.
    { ldd "$program" 2> /dev/null || true; } | awk '/=> \// { print $3 } /^[[:space:]]*\// { print $1 }' |
        while read -r library; do
            mkdir -p "$STAGING_DIR$(dirname "$library")"
            cp -L "$library" "$STAGING_DIR$library"
        done
}

build_initramfs() {
    rm -rf "$STAGING_DIR"
    mkdir -p "$STAGING_DIR"/{bin,dev,proc,sys,tmp,lib/modules}
    cp /bin/busybox "$STAGING_DIR/bin/busybox"
    ln -s busybox "$STAGING_DIR/bin/sh"
    cp "$INIT_SCRIPT" "$STAGING_DIR/init"
    chmod 755 "$STAGING_DIR/init"
    cp "$KERNEL_DIR"/modules/* "$STAGING_DIR/lib/modules/"
    install_program "$VIRTUAL_MOUSE"
    install_program "$TEST_PROGRAM"
    (cd "$STAGING_DIR" && find . | /bin/busybox cpio -o -H newc 2> /dev/null) | gzip -1 > "$INITRD"
}

boot_guest() {
    local status=0
    timeout "$BOOT_TIMEOUT_SECONDS" qemu-system-x86_64 -nographic -no-reboot -m 512 -nic none \
        -kernel "$KERNEL_DIR/vmlinuz" -initrd "$INITRD" \
        -append "console=ttyS0 panic=-1 quiet" < /dev/null > "$SERIAL_LOG" 2>&1 || status=$?
    tr -d '\r' < "$SERIAL_LOG"
    [ "$status" -ne 124 ] || fail "the guest did not finish within $BOOT_TIMEOUT_SECONDS s"
    [ "$status" -eq 0 ] || fail "qemu exited with status $status"
}

report_times() {
    local started=$1 finished=$2 init_at tests_line
    init_at=$(tr -d '\r' < "$SERIAL_LOG" | sed -n 's/.*kestrel-guest: init started at \(.*\) s$/\1/p')
    tests_line=$(tr -d '\r' < "$SERIAL_LOG" | sed -n 's/^kestrel-guest: tests ran from \(.*\) s to \(.*\) s$/\1 \2/p')
    echo "guest test: kernel $(cat "$KERNEL_DIR/version"); init reached ${init_at:-?} s after kernel start"
    if [ -n "$tests_line" ]; then
        awk -v t="$tests_line" 'BEGIN { split(t, s, " "); printf "guest test: tests took %.2f s of guest time\n", s[2] - s[1] }'
    fi
    echo "guest test: $((finished - started)) s wall time from qemu start to power-off"
}

main() {
    require_tools
    mkdir -p "$WORK_DIR"
    fetch_kernel
    build_initramfs
    local started finished
    started=$(date +%s)
    boot_guest
    finished=$(date +%s)
    report_times "$started" "$finished"
    tr -d '\r' < "$SERIAL_LOG" | grep -q "kestrel-guest: PASS" || fail "the guest did not report PASS"
    echo "guest test: PASS"
}

main
