#!/usr/bin/env bash
# Installs the Debian package into a fresh Debian 12 root and runs it there as a
# user would: `apt-get install ./murmex_*.deb`, then murmex and murmexd as a
# normal user, murmexd once more as root with a state folder of its own. Checks
# that the data lands in the user's XDG data folder and that running writes
# nothing under /usr.
#   sudo scripts/check_package.sh [DEB] [ROOT]
# DEB defaults to build-deb/murmex_*.deb (scripts/package.sh makes it), ROOT to
# /var/tmp/murmex-deb12root; a missing ROOT is made with debootstrap from the
# mirror apt uses here (MIRROR= to choose another). Needs root and the network;
# not part of the tests.
set -euo pipefail
cd "$(dirname "$0")/.."

deb="${1:-}"
if [[ -z "$deb" ]]; then
  deb=$(ls -t build-deb/murmex_*.deb 2>/dev/null | head -n1 || true)
fi
root="${2:-/var/tmp/murmex-deb12root}"
user=murmextester
failures=0

say() { printf '== %s\n' "$*"; }
pass() { printf 'PASS %s\n' "$*"; }
fail() {
  printf 'FAIL %s\n' "$*"
  failures=$((failures + 1))
}

[[ $(id -u) -eq 0 ]] || { echo "check_package.sh: run as root (chroot, apt-get)" >&2; exit 2; }
[[ -n "$deb" && -f "$deb" ]] || { echo "check_package.sh: no package (run scripts/package.sh)" >&2; exit 2; }

mirror="${MIRROR:-}"
if [[ -z "$mirror" ]]; then
  mirror=$(grep -hsoE '^URIs: *\S+/debian/?$' /etc/apt/sources.list.d/*.sources | head -n1 |
    sed 's/^URIs: *//' || true)
  [[ -n "$mirror" ]] || mirror=$(grep -hsoE '^deb +\S+/debian/? +bookworm' /etc/apt/sources.list |
    awk '{print $2}' | head -n1 || true)
  [[ -n "$mirror" ]] || mirror=http://deb.debian.org/debian
fi

if [[ ! -x "$root/usr/bin/apt-get" ]]; then
  command -v debootstrap >/dev/null || apt-get install -y debootstrap
  say "making a fresh Debian 12 in $root from $mirror"
  debootstrap --variant=minbase bookworm "$root" "$mirror"
fi

# The root is lent the host's /proc and /dev while the check runs.
mounted=()
cleanup() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[$i]}" || true; done
}
trap cleanup EXIT
for fs in proc dev; do
  if ! mountpoint -q "$root/$fs"; then
    if [[ $fs == proc ]]; then mount -t proc proc "$root/proc"; else mount --bind /dev "$root/dev"; fi
    mounted+=("$root/$fs")
  fi
done
cp /etc/resolv.conf "$root/etc/resolv.conf"
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }
as_user() {
  chroot --userspec="$user:$user" "$root" /usr/bin/env -i PATH=/usr/bin:/bin LANG=C.UTF-8 \
    HOME="/home/$user" USER="$user" "$@"
}

name=$(basename "$deb")
cp "$deb" "$root/tmp/$name"
say "package $name: $(dpkg-deb -f "$deb" Version)"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"

say "apt-get install ./$name"
in_root dpkg --purge murmex >/dev/null 2>&1 || true
in_root apt-get update -qq
in_root ls /usr/bin | sort >"$root/tmp/usr-bin.before"
if in_root sh -c "cd /tmp && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq ./$name" \
  >"$root/tmp/apt.log" 2>&1; then
  pass "the package installs with its dependencies ($(grep -c '^Setting up' "$root/tmp/apt.log") packages set up)"
else
  tail -n 20 "$root/tmp/apt.log"
  fail "apt-get install"
  exit 1
fi
in_root ls /usr/bin | sort >"$root/tmp/usr-bin.after"
echo "new in /usr/bin: $(comm -13 "$root/tmp/usr-bin.before" "$root/tmp/usr-bin.after" | xargs)"
for f in /usr/bin/murmex /usr/bin/murmexd /usr/share/applications/io.github.murmex.Murmex.desktop \
  /usr/share/metainfo/io.github.murmex.Murmex.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/io.github.murmex.Murmex.svg /usr/share/murmex/misc.cfg; do
  if [[ -e "$root$f" ]]; then pass "installed $f"; else fail "missing $f"; fi
done
for page in murmex.1 murmexd.8; do
  if ls "$root"/usr/share/man/man*/"$page" "$root"/usr/share/man/man*/"$page".gz 2>/dev/null | grep -q .; then pass "man page $page"; else fail "no man page $page"; fi
done
missing=$(in_root sh -c 'ldd /usr/bin/murmex /usr/bin/murmexd | grep "not found"' || true)
if [[ -z "$missing" ]]; then pass "every library the programs link is installed"; else fail "ldd: $missing"; fi

id "$user" >/dev/null 2>&1 || true
in_root id "$user" >/dev/null 2>&1 || in_root useradd -m -s /bin/bash "$user"
in_root rm -rf "/home/$user/.local" "/home/$user/.config"
touch "$root/tmp/started"
sleep 1

say "as $user: murmex --version, murmexd --help"
if out=$(as_user murmex --version 2>&1); then pass "murmex --version: $out"; else fail "murmex --version: $out"; fi
if out=$(as_user murmexd --help 2>&1); then pass "murmexd --help ($(wc -l <<<"$out") lines)"; else fail "murmexd --help: $out"; fi

say "as $user: murmex on the offscreen platform for 6 seconds"
status=0
as_user timeout 6 env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/tmp murmex \
  >"$root/tmp/murmex.log" 2>&1 || status=$?
if [[ $status -eq 124 ]]; then pass "murmex ran until stopped"; else
  sed -n '1,20p' "$root/tmp/murmex.log"
  fail "murmex ended by itself with status $status"
fi
data="$root/home/$user/.local/share/murmex"
if [[ -d "$data" ]] && [[ -n "$(ls -A "$data")" ]]; then
  pass "data folder ~/.local/share/murmex: $(ls -A "$data" | xargs)"
  owner=$(stat -c %U "$data")
  [[ $owner == "$user" ]] && pass "owned by $user" || fail "data folder owned by $owner"
else
  fail "nothing in ~/.local/share/murmex"
fi

say "murmexd as $user and as root, each with a database of its own"
port=46781
for who in "$user" root; do
  dir=$(in_root mktemp -d)
  [[ $who == root ]] || in_root chown "$user:$user" "$dir"
  run=(in_root)
  [[ $who == root ]] || run=(as_user)
  status=0
  "${run[@]}" timeout 4 murmexd --address 127.0.0.1 --port "$port" --database "$dir/murmexd.db" \
    >"$root/tmp/murmexd.log" 2>&1 &
  server=$!
  up=no
  for _ in $(seq 1 30); do
    if in_root bash -c "exec 3<>/dev/tcp/127.0.0.1/$port" 2>/dev/null; then up=yes; break; fi
    sleep 0.1
  done
  wait "$server" || status=$?
  if [[ $up == yes && $status -eq 124 && -s "$root$dir/murmexd.db" ]]; then
    pass "murmexd as $who listened on $port and kept $dir/murmexd.db"
  else
    sed -n '1,10p' "$root/tmp/murmexd.log"
    fail "murmexd as $who (listening: $up, status $status)"
  fi
  port=$((port + 1))
done

written=$(find "$root/usr" "$root/etc" "$root/opt" -xdev -newer "$root/tmp/started" \
  ! -path "$root/etc/resolv.conf" 2>/dev/null | sed "s|^$root||" | head -n 20)
if [[ -z "$written" ]]; then pass "running wrote nothing under /usr, /etc or /opt"; else
  fail "written beside the programs: $written"
fi

if [[ $failures -eq 0 ]]; then say "package check passed"; else say "package check: $failures failed"; fi
exit $((failures > 0))
