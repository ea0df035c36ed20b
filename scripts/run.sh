#!/usr/bin/env bash
# Installs everything, builds, and runs Zelvor against the emulated programmer
# (zelvor-emu on a pseudo-terminal), so it can be tried without hardware.
# Pass --port DEVICE (or COM1..COM4) to use a real programmer instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELVOR_BUILD_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
cd build/data 2>/dev/null || cd build

emu_pid=""
cleanup() { [ -n "$emu_pid" ] && kill "$emu_pid" 2>/dev/null || true; }
trap cleanup EXIT

args=("$@")
if [ ${#args[@]} -eq 0 ] || ! printf '%s\n' "${args[@]}" | grep -q -- '--port'; then
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  ../src/emulator/zelvor-emu >"$fifo" 2>/dev/null &
  emu_pid=$!
  exec 3<"$fifo"
  read -r pty <&3
  rm -f "$fifo"
  echo "zelvor-emu serves a virtual programmer on $pty"
  args=(--port "$pty" "${args[@]}")
fi

cli=../src/cli/zelvor-cli
[ -x "$cli" ] || cli=../../build/src/cli/zelvor-cli
"$cli" "${args[@]}" info base:27C256 || true
