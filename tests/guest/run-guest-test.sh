#!/bin/bash
# Builds the test guest and boots it: Debian's cloud kernel with its HID
# modules, and an initramfs of busybox, the virtual mouse and the device test
# program. Passes or fails on the verdict the guest prints on its serial
# console. Exits 77 (skipped) only where QEMU is not installed.
#
# usage: run-guest-test.sh WORK_DIR INIT_SCRIPT VIRTUAL_MOUSE TEST_PROGRAM
set -euo pipefail

readonly WORK_DIR=$1 INIT_SCRIPT=$2 VIRTUAL_MOUSE=$3 TEST_PROGRAM=$4
# shellcheck source=guest-kernel.sh
source "$(dirname "$0")/guest-kernel.sh"
readonly STAGING_DIR=$WORK_DIR/initramfs
readonly INITRD=$WORK_DIR/initrd.gz
readonly SERIAL_LOG=$WORK_DIR/serial.log
readonly BOOT_TIMEOUT_SECONDS=300
readonly SKIP=77

require_tools() {
    if ! command -v qemu-system-x86_64 > /dev/null; then
        echo "guest test: SKIPPED: qemu-system-x86_64 is not installed (Debian package qemu-system-x86)"
        exit $SKIP
    fi
    require_static_busybox
}

build_initramfs() {
    rm -rf "$STAGING_DIR"
    mkdir -p "$STAGING_DIR"/{bin,dev,proc,sys,tmp,lib/modules}
    cp /bin/busybox "$STAGING_DIR/bin/busybox"
    ln -s busybox "$STAGING_DIR/bin/sh"
    cp "$INIT_SCRIPT" "$STAGING_DIR/init"
    chmod 755 "$STAGING_DIR/init"
    cp "$KERNEL_DIR"/modules/* "$STAGING_DIR/lib/modules/"
    install_program "$STAGING_DIR" /bin "$VIRTUAL_MOUSE"
    install_program "$STAGING_DIR" /bin "$TEST_PROGRAM"
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
