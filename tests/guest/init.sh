#!/bin/sh
# The test guest's first process: mounts the kernel's file systems, loads the
# HID modules, runs the device tests and powers the machine off. The last
# line it prints, "kestrel-guest: PASS" or "kestrel-guest: FAIL ...", is what
# the harness on the host reads from the serial console.
/bin/busybox --install -s /bin
export PATH=/bin

mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev

uptime_seconds() {
    read -r seconds _ < /proc/uptime
    echo "$seconds"
}

finish() {
    echo "kestrel-guest: $1"
    sync
    poweroff -f
}

echo "kestrel-guest: init started at $(uptime_seconds) s"

# The harness lists the modules that are not built into the kernel, in the
# order their dependencies need.
while read -r module; do
    insmod "/lib/modules/$module" || finish "FAIL (insmod $module)"
done < /lib/modules/load-order

tests_started=$(uptime_seconds)
/bin/kestrel-guest-tests --gtest_color=no
status=$?
echo "kestrel-guest: tests ran from $tests_started s to $(uptime_seconds) s"

if [ "$status" -ne 0 ]; then
    echo "kestrel-guest: kernel messages:"
    dmesg | tail -n 40
    finish "FAIL (tests exited with $status)"
fi
finish "PASS"
