# shellcheck shell=bash
# Shared by the guest test harnesses (sourced, not run): Debian's cloud kernel
# with the modules both guests load, fetched once per build tree, and the
# copying of programs with their shared libraries.
#
# The sourcing script sets WORK_DIR before calling fetch_kernel.

readonly KERNEL_PACKAGE=linux-image-cloud-amd64
# HID over uhid for the mouse, and virtio block for the disk the Wine guest
# mounts; in the order their dependencies need.
readonly KERNEL_MODULES=(hid hid-generic uhid virtio_ring virtio virtio_pci_legacy_dev virtio_pci_modern_dev
    virtio_pci virtio_blk)

fail() {
    echo "guest test: $*" >&2
    exit 1
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

# Debian's cloud kernel, fetched once per build tree and kept there; fetched
# again when the module list changed.
fetch_kernel() {
    KERNEL_DIR=$WORK_DIR/kernel
    local wanted="${KERNEL_MODULES[*]}"
    [ -f "$KERNEL_DIR/vmlinuz" ] && [ -f "$KERNEL_DIR/modules/load-order" ] &&
        [ "$(cat "$KERNEL_DIR/modules/wanted" 2> /dev/null)" = "$wanted" ] && return
    command -v apt-get > /dev/null && command -v dpkg-deb > /dev/null ||
        fail "apt-get and dpkg-deb are needed to fetch the kernel"
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
    for module in "${KERNEL_MODULES[@]}"; do
        install_module "$download/root" "$module"
    done
    echo "$wanted" > "$KERNEL_DIR/modules/wanted"
    basename "$download"/root/boot/vmlinuz-* > "$KERNEL_DIR/version"
    rm -rf "$download"
}

# A program and the shared libraries it loads, under `root` at the paths it
# expects them; the program itself goes to `destination` there.
install_program() {
    local root=$1 destination=$2 program=$3
    mkdir -p "$root$destination"
    cp "$program" "$root$destination/"
    install_libraries "$root" "$program"
}

# The shared libraries `file` loads, copied under `root`. ldd fails on a
# static program, which needs nothing more.
install_libraries() {
    local root=$1 file=$2
    { ldd "$file" 2> /dev/null || true; } | awk '/=> \// { print $3 } /^[[:space:]]*\// { print $1 }' |
        while read -r library; do
            mkdir -p "$root$(dirname "$library")"
            cp -L "$library" "$root$library"
        done
}

# Busybox must be the static build: neither guest has a C library for it.
require_static_busybox() {
    if [ ! -x /bin/busybox ] || ldd /bin/busybox > /dev/null 2>&1; then
        fail "a static /bin/busybox is needed (Debian package busybox-static)"
    fi
}
