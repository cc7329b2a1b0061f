#!/usr/bin/env bash
# Installs the Debian packages the build, tests and benchmarks need, only those missing.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          libyuv-dev libswscale-dev libavutil-dev)
# The i386 build (cmake/i386.cmake): the multilib compilers, and GoogleTest's
# sources, built with the project so no foreign architecture needs enabling.
packages+=(g++-multilib googletest)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi
