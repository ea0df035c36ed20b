#!/usr/bin/env bash
# Installs everything, builds, and runs Zelvor against the emulated programmer (zelvor-emu on
# a pseudo-terminal), so it can be tried without hardware.
#   bash scripts/run.sh                      the window, COM1 mapped to the emulator
#   bash scripts/run.sh --port DEV           the window on a real programmer (also --demo,
#                                            --lang ru|en)
#   bash scripts/run.sh VERB ARGS...         any zelvor-cli command against the emulator
#   bash scripts/run.sh --port DEV VERB ...  the same against a real programmer
# Without a display the window cannot open: a short command-line session runs instead.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=(zelvor-cli zelvor-emu zelvor_data)
have_display=0
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then have_display=1; fi

# Window options only (or nothing): the window; a verb anywhere: the command line.
window=1
skip=0
for a in "$@"; do
  if [ $skip -eq 1 ]; then skip=0; continue; fi
  case "$a" in
    --port|--lang) skip=1 ;;
    --demo) ;;
    *) window=0 ;;
  esac
done
if [ $window -eq 1 ] && [ $have_display -eq 0 ]; then
  echo "No display (\$DISPLAY and \$WAYLAND_DISPLAY are empty): the window cannot open."
  echo "Running a short command-line session with zelvor-cli instead."
  echo
  window=0
  set --
fi
[ $window -eq 1 ] && targets+=(zelvor)
cmake --build build -j"$(nproc)" --target "${targets[@]}"

cli="$top/build/src/cli/zelvor-cli"
emu="$top/build/src/emulator/zelvor-emu"
data="$top/build/data"
work=$(mktemp -d)
emu_pid=""
cleanup() { [ -n "$emu_pid" ] && kill "$emu_pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

args=("$@")
pty=""
if ! printf '%s\n' "${args[@]}" | grep -qx -- '--port'; then
  # A virtual programmer with an AT29C256 in its socket.
  "$emu" --id "1F 5D" >"$work/emu.out" 2>"$work/emu.err" &
  emu_pid=$!
  for _ in $(seq 50); do [ -s "$work/emu.out" ] && break; sleep 0.1; done
  pty=$(head -n 1 "$work/emu.out")
  echo "zelvor-emu serves a virtual programmer on $pty"
fi

if [ $window -eq 1 ]; then
  # The start folder: the shipped lists, and COM1 mapped to the emulator. zelvor.cfg stays
  # between runs, so the chip, the language and the model chosen last time come back.
  start="$top/build/run"
  mkdir -p "$start"
  cp "$data"/*.lst "$start/"
  if [ -n "$pty" ]; then
    printf '# COM1 is the emulator started by scripts/run.sh\r\nCOM1=%s\r\n' "$pty" >"$start/zelvor.ports"
  fi
  echo "Start folder: $start"
  "$top/build/src/gui/zelvor" --dir "$start" "${args[@]}"
  exit $?
fi

[ -n "$pty" ] && args=(--port "$pty" "${args[@]}")
run() { echo "\$ zelvor-cli $*"; "$cli" --dir "$data" --lang en "$@" || echo "(exit status $?)"; echo; }

if [ $# -eq 0 ]; then
  head -c 32768 /dev/urandom >"$work/image.bin"
  run "${args[@]}" info AT29C256
  run "${args[@]}" id AT29C256
  run "${args[@]}" blank AT29C256
  run "${args[@]}" write AT29C256 "$work/image.bin"
  run "${args[@]}" verify AT29C256 "$work/image.bin"
  run "${args[@]}" --format hex read AT29C256 -o "$work/read.hex"
  run checksum "$work/read.hex"
  run checksum "$work/image.bin"
else
  "$cli" --dir "$data" "${args[@]}"
fi
