#!/usr/bin/env bash
# Runs make targets of this project as a newcomer would: in a fresh Debian
# root made with debootstrap (minbase), with nothing added but make, on a
# copy of what is committed here.
#
# Usage: tools/fresh-root-check.sh [--no-locale] RELEASE [STEP...]
#   --no-locale  run with no locale set at all (no LANG, no LC_*), as a
#            minimal install, a container or env -i does; otherwise
#            LANG=C.UTF-8
#   RELEASE  a Debian release: bookworm (12) or trixie (13), or any other
#            that debootstrap knows
#   STEP     what to do, one after another in the same root (default:
#            test). A make target with its variables, quoted as one word
#            ("test SANITIZE=1"), or one of:
#              apt-install  install the .deb that make package left, with
#                           apt, and start the installed program
#              run-no-display   make run with no display: its one line
#              run-xvfb     make run on an Xvfb display: the window opens
#
# Needs root, debootstrap and the Debian mirror (ZORELMINA_MIRROR, default
# http://deb.debian.org/debian). The base system is downloaded once and kept
# as a tarball in ZORELMINA_ROOTS (default /var/tmp/zorelmina-roots); every
# run unpacks it afresh and removes it afterwards (ZORELMINA_KEEP_ROOT=1
# keeps it, for a look inside). Make runs with CI=true, as CI does.
set -euo pipefail

locale=(LANG=C.UTF-8)
if [ "${1:-}" = --no-locale ]; then
  locale=()
  shift
fi
release=${1:?usage: fresh-root-check.sh [--no-locale] RELEASE [STEP...]}
shift
steps=("$@")
[ ${#steps[@]} -gt 0 ] || steps=(test)

mirror=${ZORELMINA_MIRROR:-http://deb.debian.org/debian}
cache=${ZORELMINA_ROOTS:-/var/tmp/zorelmina-roots}
source=$(cd "$(dirname "$0")/.." && pwd)

[ "$(id -u)" -eq 0 ] || { echo "fresh-root-check: run as root (debootstrap and chroot need it)" >&2; exit 2; }
command -v debootstrap >/dev/null || { echo "fresh-root-check: install debootstrap first" >&2; exit 2; }

mkdir -p "$cache"
base=$cache/$release-minbase.tar
if [ ! -f "$base" ]; then
  echo "fresh-root-check: making a $release base system (once)"
  staging=$(mktemp -d "$cache/$release.XXXXXX")
  debootstrap --variant=minbase "$release" "$staging" "$mirror" >"$cache/$release-debootstrap.log"
  tar -C "$staging" -cf "$base.part" .
  rm -rf "$staging"
  mv "$base.part" "$base"
fi

root=$(mktemp -d "$cache/$release-root.XXXXXX")
mounts=()
cleanup() {
  local status=$?
  # Whatever the targets left running inside goes first, then the mounts.
  for pid in $(ls /proc | grep -E '^[0-9]+$'); do
    if [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$root" ]; then kill -9 "$pid" 2>/dev/null || true; fi
  done
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[i]}" 2>/dev/null || true; done
  if [ "${ZORELMINA_KEEP_ROOT:-0}" = 1 ]; then
    echo "fresh-root-check: root kept in $root"
  else
    rm -rf --one-file-system "$root"
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

tar -C "$root" -xf "$base"
bind() {
  mkdir -p "$root$2"
  mount "${@:3}" "$1" "$root$2"
  mounts+=("$root$2")
}
bind proc /proc -t proc
bind sysfs /sys -t sysfs
bind /dev /dev --rbind
bind devpts /dev/pts -t devpts -o newinstance,ptmxmode=0666
bind tmpfs /dev/shm -t tmpfs
bind tmpfs /tmp -t tmpfs
# The machine's own network settings: its name servers, and the
# certificate authorities it trusts (where its traffic passes a proxy of its
# own, npm's TLS needs them as the machine's own npm has them).
cp /etc/resolv.conf "$root/etc/resolv.conf"
trust=()
if [ -f /etc/ssl/certs/ca-certificates.crt ]; then
  cp /etc/ssl/certs/ca-certificates.crt "$root/etc/machine-ca-certificates.crt"
  trust=(NODE_EXTRA_CA_CERTS=/etc/machine-ca-certificates.crt)
fi

# What is committed, as a clone would have it.
mkdir -p "$root/src/zorelmina"
git -C "$source" archive --format=tar HEAD | tar -C "$root/src/zorelmina" -xf -

in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root "${locale[@]}" "${trust[@]}" TERM=dumb \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}
echo "fresh-root-check: $release: apt-get install make"
in_root sh -c 'apt-get update -q >/dev/null && DEBIAN_FRONTEND=noninteractive apt-get install -y -q make >/dev/null'

# Steps that are not make targets, run as a shell in the root.
step_command() {
  case $1 in
  apt-install)
    echo 'cd /src/zorelmina && DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./zorelmina_*.deb >/dev/null &&
      command -v zorelmina && test -f /usr/share/applications/*zorelmina*.desktop &&
      { QT_QPA_PLATFORM=offscreen timeout 3 zorelmina; test $? -eq 124; } &&
      DEBIAN_FRONTEND=noninteractive apt-get remove -y -q zorelmina >/dev/null && ! command -v zorelmina'
    ;;
  run-no-display)
    echo 'cd /src/zorelmina && out=$(env -u DISPLAY -u WAYLAND_DISPLAY make run CI=true 2>&1); echo "$out" | tail -n 3;
      echo "$out" | grep -q "^zorelmina: cannot open the quiz window: no display is set"'
    ;;
  run-xvfb)
    echo 'cd /src/zorelmina && make build CI=true >/dev/null &&
      { xvfb-run -a timeout 10 make run CI=true; test $? -eq 124; }'
    ;;
  *)
    echo "cd /src/zorelmina && locale 2>/dev/null | head -n 1; make $1 CI=true"
    ;;
  esac
}

status=0
for step in "${steps[@]}"; do
  echo "fresh-root-check: $release: $step"
  if in_root bash -c "$(step_command "$step")"; then
    echo "fresh-root-check: $release: $step: passed"
  else
    status=$?
    echo "fresh-root-check: $release: $step: FAILED ($status)"
    break
  fi
done
exit "$status"
