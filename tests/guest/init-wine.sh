#!/bin/sh
# The Wine guest's first process: mounts the disk with Wine and both
# kestrelctl builds, plugs the virtual mouse in and runs the Linux and the
# Windows tool against it. Every command's output goes to the serial console
# as "kestrel-wine: NAME out|err: LINE" and "kestrel-wine: NAME exit CODE";
# the harness on the host compares them. The last line is
# "kestrel-wine: done" or "kestrel-wine: FAIL ...".
/bin/busybox --install -s /bin
export PATH=/bin

mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
mkdir -p /tmp

readonly DISK=/disk
FAULT_PLAN=$(cat /fault-plan)
readonly FAULT_PLAN
readonly WAIT_TENTHS=200

finish() {
    echo "kestrel-wine: $1"
    sync
    poweroff -f
}

uptime_seconds() {
    read -r seconds _ < /proc/uptime
    echo "$seconds"
}

echo "kestrel-wine: init started at $(uptime_seconds) s"
while read -r module; do
    insmod "/lib/modules/$module" || finish "FAIL (insmod $module)"
done < /lib/modules/load-order

mkdir -p $DISK
mount -t ext4 /dev/vda $DISK || finish "FAIL (cannot mount the Wine disk)"
for tree in proc sys dev; do
    mount --bind /$tree $DISK/$tree || finish "FAIL (cannot bind /$tree)"
done
mount -t tmpfs tmpfs $DISK/tmp
mount -t tmpfs tmpfs $DISK/run

# Runs a command inside the disk's system with Wine's environment.
in_disk() {
    chroot $DISK /bin/busybox env -i PATH=/usr/bin:/bin HOME=/root LC_ALL=C.UTF-8 \
        WINEPREFIX=/wine/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" "$@"
}

# Runs command NAME and prints what it wrote, marked for the host.
report() {
    local name=$1
    shift
    "$@" > /tmp/out 2> /tmp/err < /dev/null
    local status=$?
    tr -d '\r' < /tmp/out | sed "s/^/kestrel-wine: $name out: /"
    tr -d '\r' < /tmp/err | sed "s/^/kestrel-wine: $name err: /"
    echo "kestrel-wine: $name exit $status"
}

hidraw_count() {
    ls /dev/hidraw* 2> /dev/null | wc -l
}

# Waits for COUNT hidraw nodes; the kernel adds and removes them in the background.
wait_for_hidraw() {
    local count=$1 tenths=0
    while [ "$(hidraw_count)" -ne "$count" ]; do
        tenths=$((tenths + 1))
        [ $tenths -le $WAIT_TENTHS ] || finish "FAIL ($count hidraw nodes did not appear)"
        sleep 0.1
    done
}

# Waits until FILE holds a line matching PATTERN; false after the wait.
wait_for_line() {
    local file=$1 pattern=$2 tenths=0
    until grep -q "$pattern" "$file" 2> /dev/null; do
        tenths=$((tenths + 1))
        [ $tenths -le $WAIT_TENTHS ] || return 1
        sleep 0.1
    done
}

# Waits until Wine's list shows the mouse's three interfaces.
wait_for_wine_list() {
    local tries=0
    until [ "$(in_disk /usr/lib/wine/wine64 /kestrel/kestrelctl.exe list 2> /dev/null | grep -c role=)" -eq 3 ]; do
        tries=$((tries + 1))
        [ $tries -le 10 ] || return 1
        sleep 1
    done
}

mkfifo /tmp/mouse-control
/bin/kestrel-virtual-mouse < /tmp/mouse-control &
exec 3> /tmp/mouse-control
wait_for_hidraw 3

report linux-list in_disk /kestrel/kestrelctl list
report linux-read-before in_disk /kestrel/kestrelctl read

# One Wine server, and one Wine process kept alive, for all the runs: the
# first process starts Wine's device services, which each later one shares.
in_disk /usr/lib/wine/wineserver64 -p
in_disk /usr/lib/wine/wine64 /kestrel/kestrelctl.exe monitor > $DISK/tmp/monitor.out 2>&1 &
wine_started=$(uptime_seconds)
wait_for_wine_list || echo "kestrel-wine: note: Wine's list did not show three interfaces in 10 tries"
# The monitor reads the mouse as it starts; two processes' page commands
# must not interleave.
wait_for_line $DISK/tmp/monitor.out "^start-up:" || echo "kestrel-wine: note: the monitor did not start"
echo "kestrel-wine: Wine's devices ready $(awk -v a="$wine_started" -v b="$(uptime_seconds)" 'BEGIN { print b - a }') s after its start"

report wine-list in_disk /usr/lib/wine/wine64 /kestrel/kestrelctl.exe list
report wine-read in_disk /usr/lib/wine/wine64 /kestrel/kestrelctl.exe read
report wine-apply in_disk /usr/lib/wine/wine64 /kestrel/kestrelctl.exe apply /kestrel/other.bin --verify
report linux-read-after in_disk /kestrel/kestrelctl read

# A fault planted in the mouse in use, counted from the apply's first exchange.
echo "faults $FAULT_PLAN" >&3
report wine-fault-apply in_disk /usr/lib/wine/wine64 /kestrel/kestrelctl.exe apply /kestrel/other.bin --verify

# An unplug and a plug, which the monitor should report.
echo unplug >&3
wait_for_hidraw 0
wait_for_line $DISK/tmp/monitor.out "^removal" || echo "kestrel-wine: note: no removal line from the monitor"
echo plug >&3
wait_for_hidraw 3
wait_for_line $DISK/tmp/monitor.out "^arrival" || echo "kestrel-wine: note: no arrival line from the monitor"
report monitor cat $DISK/tmp/monitor.out
report wine-list-replugged in_disk /usr/lib/wine/wine64 /kestrel/kestrelctl.exe list

echo "kestrel-wine: tests ran until $(uptime_seconds) s"
finish done
