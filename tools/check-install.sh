#!/usr/bin/env bash
# Clean-install check, run by hand as root (it is not part of CI): builds the
# Debian package from the committed tree in a scratch directory, installs it
# with apt into a fresh Debian 12 system made there with debootstrap, and
# checks inside that system that both programs start and find their
# translations in the installed folder.
#   tools/check-install.sh [SCRATCH_DIR]     (default: a new directory under /tmp)
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
    echo "check-install.sh installs into a new Debian system and must run as root" >&2
    exit 2
fi
. tools/setup.sh
NORVO_PACKAGES+=(debootstrap)
install_missing_packages

SCRATCH="${1:-$(mktemp -d /tmp/norvo-install.XXXXXX)}"
ROOTFS="$SCRATCH/rootfs"
MIRROR="${NORVO_DEBIAN_MIRROR:-http://deb.debian.org/debian}"
mkdir -p "$SCRATCH/src"

step() { printf '\n== %s\n' "$*"; }
fail() {
    echo "FAILED: $*" >&2
    exit 1
}

step "building the package from the committed tree in $SCRATCH"
git archive HEAD | tar -x -C "$SCRATCH/src"
cmake -S "$SCRATCH/src" -B "$SCRATCH/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$SCRATCH/build" -j"$(nproc)" --target norvo-assistant norvo-cli norvo_translations
(cd "$SCRATCH/build" && cpack -G DEB >/dev/null)
PACKAGE="$(ls "$SCRATCH"/build/norvo-assistant_*.deb | head -n 1)"
[ -f "$PACKAGE" ] || fail "no package was built"
echo "package: $PACKAGE"

step "a fresh Debian 12 system"
if [ ! -x "$ROOTFS/bin/bash" ]; then
    debootstrap --variant=minbase bookworm "$ROOTFS" "$MIRROR" >"$SCRATCH/debootstrap.log"
fi
cleanup() {
    umount "$ROOTFS/proc" 2>/dev/null || true
}
trap cleanup EXIT
mount -t proc proc "$ROOTFS/proc"
cp "$PACKAGE" "$ROOTFS/tmp/"
in_root() { chroot "$ROOTFS" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin "$@"; }

step "apt install ./$(basename "$PACKAGE")"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "/tmp/$(basename "$PACKAGE")" \
    >"$SCRATCH/install.log" || fail "apt could not install the package (see $SCRATCH/install.log)"

step "norvo-cli starts and finds its translations outside its working directory"
in_root sh -c 'cd /tmp && norvo-cli --version' || fail "norvo-cli --version"
english="$(in_root sh -c 'cd /tmp && norvo-cli --lang en_US --help')"
traditional="$(in_root sh -c 'cd /tmp && norvo-cli --lang zh_TW --help')"
grep -q "Show this help." <<<"$english" || fail "norvo-cli --lang en_US shows no English help"
grep -q "顯示說明。" <<<"$traditional" || fail "norvo-cli --lang zh_TW shows no Traditional Chinese help"
echo "English and Traditional Chinese help found"

step "norvo-assistant starts from its menu entry's command"
exec_line="$(grep '^Exec=' "$ROOTFS/usr/share/applications/norvo-assistant.desktop" | cut -d= -f2-)"
[ -n "$exec_line" ] || fail "the menu entry has no Exec line"
in_root mkdir -p -m 700 /run/user/0
set +e
in_root env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/run/user/0 timeout 5 sh -c "cd /tmp && $exec_line"
status=$?
set -e
# Still running when the time ran out (124) means it started and kept its event loop.
[ "$status" -eq 124 ] || fail "norvo-assistant ended with status $status within 5 s"
[ -d "$ROOTFS/root/.local/share/norvo-assistant" ] || fail "no per-user folder was made"
ls "$ROOTFS"/usr/share/norvo-assistant/translations/*.qm >/dev/null || fail "no translations installed"
echo "the window started in ~/.local/share/norvo-assistant; translations in /usr/share/norvo-assistant/translations"

step "clean install checked"
echo "scratch directory: $SCRATCH (remove it when done)"
