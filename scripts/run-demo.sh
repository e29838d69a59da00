#!/usr/bin/env bash
# Runs Murmex signed in to a service of its own on this machine.
#
#   scripts/run-demo.sh [--new] [murmex arguments...]
#
# Installs what is missing, builds murmex and murmexd (in build/), starts
# murmexd on a free local port with its own database in demo/, makes two demo
# members who are friends, with a message waiting for the first, and starts
# murmex as the first one (data folder demo/home). The server stops when murmex
# exits. Running it again reuses the accounts and queues one more message.
#
# --new starts murmex instead with an empty data folder (demo/new-home, emptied
# each time), as on a computer where it never ran: the registration wizard
# comes up and registers a new member with the local murmexd (choose "Sieć
# lokalna"), or signs in an existing one such as ala / demo1.
#
#   MURMEX_DEMO_PORT   the port to try first (default 14678; a busy one is replaced by a free one)
#   MURMEX_DEMO_FRESH  =1 forgets the demo accounts and data and starts over
#   MURMEX_BUILD_DIR   the build folder (default build/)
set -euo pipefail
newcomer=0
if [ "${1:-}" = "--new" ]; then
  newcomer=1
  shift
fi
cd "$(dirname "$0")/.."
root=$PWD
build=${MURMEX_BUILD_DIR:-$root/build}
demo=$root/demo
home=$demo/home
db=$demo/murmexd.db
accounts=$demo/accounts.env

scripts/install-deps.sh
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target murmex murmexd

murmexd=$build/server/murmexd
murmex=$build/src/app/murmex

if [ "${MURMEX_DEMO_FRESH:-0}" = 1 ]; then
  rm -rf "$demo"
fi
mkdir -p "$home"
if [ "$newcomer" = 1 ]; then
  rm -rf "$demo/new-home"
  mkdir -p "$demo/new-home"
fi

admin() { "$murmexd" admin --database "$db" "$@"; }

# The two members: made once, remembered in demo/accounts.env. A database
# that went missing takes the remembered accounts with it.
if [ ! -f "$db" ] || [ ! -f "$accounts" ]; then
  rm -f "$db" "$db-wal" "$db-shm" "$accounts" "$home/murmex.cfg"
  ala=$(admin create-user --fast-hash --nick ala --email ala@example.pl --password demo1 \
          --name Alicja --surname Kowalska)
  bartek=$(admin create-user --fast-hash --nick bartek --email bartek@example.pl \
             --password demo2 --name Bartłomiej --surname Nowak)
  admin add-friend --user "$ala" --friend "$bartek"
  admin add-friend --user "$bartek" --friend "$ala"
  # Bartek sits in the web chat, so Ala sees him present.
  chat=$(admin create-channel --name "dla wszystkich" --description "Kanał dla wszystkich" \
           --creator "$bartek")
  admin web-chat --user "$bartek" --channel "$chat"
  printf 'ala=%s\nbartek=%s\n' "$ala" "$bartek" > "$accounts"
fi
# shellcheck source=/dev/null
. "$accounts"
admin send-message --from "$bartek" --to "$ala" \
  --text "Cześć Ala! Widzisz mnie na liście znajomych? Odpisz, jak znajdziesz chwilę."

# Ala's data folder: the options of a LAN computer that talks to this
# server, Ala as the only local user with her password kept, and Bartek in a
# group. Lines are the program's own record format, Windows-1250, CR LF.
if [ ! -f "$home/murmex.cfg" ]; then
  {
    printf '[Options]\n'
    printf 'Server="127.0.0.1"\n'
    printf 'InternetConnection="LAN"\n'
    printf 'HotTipDisabled="1"\n'
    printf 'autorun_dontask="1"\n'
    printf 'RegWizStart="0"\n'
    printf '\n[LocalUsers]\n'
    printf 'QID="%s" Nick="ala" Email="ala@example.pl" Name="Alicja" Surname="Kowalska" ' "$ala"
    printf 'HasRemoteCellPhone="0" LocalCellPhone="" Display="" Note="" OnEnterSMS="0" '
    printf 'OnEnterEmail="0" RemoteCellPhonePrefix="" SavePassword="1" Password="demo1" \n'
    printf '\n[QID%s-Groups]\n' "$ala"
    printf 'GID="1" Name="Znajomi" FriendsCount="1" F1="%s" \n' "$bartek"
    printf '\n[QID%s-Friends]\n' "$ala"
    printf 'friends="%s" \n' "$bartek"
    printf '\n[QID%s-Users]\n' "$ala"
    printf 'QID="%s" Nick="bartek" Email="bartek@example.pl" Name="Bartłomiej" ' "$bartek"
    printf 'Surname="Nowak" HasRemoteCellPhone="0" LocalCellPhone="" Display="" Note="" '
    printf 'OnEnterSMS="0" OnEnterEmail="0" RemoteCellPhonePrefix="" \n'
  } | sed 's/$/\r/' | iconv -f UTF-8 -t WINDOWS-1250 > "$home/murmex.cfg"
  chmod 600 "$home/murmex.cfg"
fi

# The server, on the preferred port or, when that is taken, on any free one.
log=$demo/murmexd.log
server_pid=""
stop_server() {
  if [ -n "$server_pid" ] && kill -0 "$server_pid" 2>/dev/null; then
    kill "$server_pid"
    wait "$server_pid" 2>/dev/null || true
  fi
}
trap stop_server EXIT
start_server() {
  : > "$log"
  "$murmexd" --port "$1" --database "$db" --fast-hash > "$log" 2>&1 &
  server_pid=$!
  for _ in $(seq 100); do
    if grep -q 'listening on' "$log"; then
      return 0
    fi
    if ! kill -0 "$server_pid" 2>/dev/null; then
      server_pid=""
      return 1
    fi
    sleep 0.1
  done
  return 1
}
if ! start_server "${MURMEX_DEMO_PORT:-14678}"; then
  start_server 0 || { cat "$log" >&2; echo "run-demo: murmexd did not start" >&2; exit 1; }
fi
port=$(sed -n 's/.*listening on [0-9.]*:\([0-9]*\).*/\1/p' "$log" | head -n 1)
echo "murmexd listens on 127.0.0.1:$port (database $db); ala=$ala, bartek=$bartek"

# Without a desktop there is nothing to show the windows on.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run-demo: no display (set DISPLAY, or QT_QPA_PLATFORM=offscreen)" >&2
  exit 1
fi
if [ "$newcomer" = 1 ]; then
  home=$demo/new-home
fi
MURMEX_HOME=$home MURMEX_PORT=$port "$murmex" "$@"
