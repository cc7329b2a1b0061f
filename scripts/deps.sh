#!/usr/bin/env bash
# deps.sh SET...: installs the Debian packages of the named sets that are missing
# (checked with dpkg), with one apt-get call for all of them.
#   demo   building and running the host program's demonstration
#   test   the GoogleTest suites
#   bench  the benchmarks and the libraries they compare with
#   i386   the 32-bit x86 build (cmake/i386.cmake)
# Without a set, all of them. A set is the array <set>_packages below: add a
# package to its line, or a new set as one more array.
set -euo pipefail

demo_packages=(cmake ninja-build g++)
test_packages=(libgtest-dev libgmock-dev)
bench_packages=(pkg-config libbenchmark-dev libyuv-dev libswscale-dev libavutil-dev)
# The i386 build (cmake/i386.cmake): the multilib compilers, GoogleTest's sources,
# built with the project so no foreign architecture needs enabling, and qemu-i386
# for machines whose kernel cannot run i386 programs itself (cmake/emulator.cmake).
i386_packages=(g++-multilib googletest qemu-user)

[ $# -gt 0 ] || set -- demo test bench i386
missing=()
for set_name in "$@"; do
  if ! declare -p "${set_name}_packages" >/dev/null 2>&1; then
    echo "deps.sh: unknown package set '$set_name' (known: demo test bench i386)" >&2
    exit 2
  fi
  declare -n packages="${set_name}_packages"
  for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  unset -n packages
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
