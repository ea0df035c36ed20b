#!/usr/bin/env bash
# Installs everything, builds, and runs Zelvor against the emulated programmer (zelvor-emu on
# a pseudo-terminal), so it can be tried without hardware.
#   bash scripts/run.sh                      a short session: identify, program, verify, read
#   bash scripts/run.sh VERB ARGS...         any zelvor-cli command against the emulator
#   bash scripts/run.sh --port DEV VERB ...  the same against a real programmer
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target zelvor-cli zelvor-emu zelvor_data

cli="$top/build/src/cli/zelvor-cli"
emu="$top/build/src/emulator/zelvor-emu"
data="$top/build/data"
work=$(mktemp -d)
emu_pid=""
cleanup() { [ -n "$emu_pid" ] && kill "$emu_pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

args=("$@")
if ! printf '%s\n' "${args[@]}" | grep -qx -- '--port'; then
  "$emu" --id "1F 5D" >"$work/emu.out" 2>"$work/emu.err" &
  emu_pid=$!
  for _ in $(seq 50); do [ -s "$work/emu.out" ] && break; sleep 0.1; done
  pty=$(head -n 1 "$work/emu.out")
  echo "zelvor-emu serves a virtual programmer on $pty"
  args=(--port "$pty" "${args[@]}")
fi

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
