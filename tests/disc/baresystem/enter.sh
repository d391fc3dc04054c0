#!/bin/sh
# enter.sh [--refuse-namespaces] <root> <disc content> [NAME=value ...] <program> [arguments]
# Runs a program on a bare system made by make-root.sh, as its ordinary user
# "disc", with the disc's content mounted read-only at /media/disc, in a
# mount namespace of its own: nothing of this machine but its kernel, its
# devices and its network (where the test's X screen listens) is seen. The
# system's root is the mount's root, not a chroot, as the web engine's
# sandbox needs. With --refuse-namespaces, the program's user namespace
# allows no new one, as on desktops that switch them off.
set -eu
refuse=no
if [ "${1:-}" = --refuse-namespaces ]; then refuse=yes; shift; fi
if [ $# -lt 3 ]; then
    echo "usage: enter.sh [--refuse-namespaces] <root> <disc content> [NAME=value ...] <program> [arguments]" >&2
    exit 2
fi
root=$1 content=$2
shift 2
exec unshare --mount --fork sh -c '
set -eu
root=$1 content=$2 refuse=$3
shift 3
mount --make-rprivate /
mount --bind "$root" "$root"
mkdir -p "$root/media/disc"
mount --bind "$content" "$root/media/disc"
mount -o remount,bind,ro "$root/media/disc"
mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"
mount -t tmpfs tmpfs "$root/dev/shm"
mount -t tmpfs tmpfs "$root/tmp"
cd "$root"
mkdir -p oldroot
pivot_root . oldroot
umount -l /oldroot
cd /
user="setpriv --reuid=2000 --regid=2000 --clear-groups env -i HOME=/home/disc USER=disc PATH=/usr/bin:/bin"
if [ "$refuse" = yes ]; then
    # A user namespace of the ordinary user, allowed one namespace below it,
    # which the program then runs in.
    exec $user unshare --user --map-root-user sh -c "echo 1 > /proc/sys/user/max_user_namespaces &&
        exec unshare --user --map-user=2000 --map-group=2000 env \"\$@\"" sh "$@"
fi
exec $user "$@"
' sh "$root" "$content" "$refuse" "$@"
