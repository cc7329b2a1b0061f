#!/usr/bin/env bash
# build.sh DIR [--target NAME]... [cmake options...]: configures DIR (options
# apply to its cache) and builds the named targets, or everything.
set -euo pipefail
dir=$1; shift
targets=()
options=()
while [ $# -gt 0 ]; do
  if [ "$1" = --target ] && [ $# -gt 1 ]; then
    targets+=(--target "$2"); shift 2
  else
    options+=("$1"); shift
  fi
done
cmake -S "$(dirname "$0")/.." -B "$dir" -G Ninja "${options[@]}" >/dev/null
cmake --build "$dir" "${targets[@]}"
