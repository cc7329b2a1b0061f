#!/usr/bin/env bash
# Installs what the demonstration needs (if missing), builds only its programs,
# plug-ins, libraries and skins, and runs it; arguments go to mediahost.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh demo
# A build folder of its own making skips the tests and benchmarks and the debug
# information (about a fifth of the first build's time); one that
# scripts/test.sh made is kept as it is.
options=()
[ -f build/CMakeCache.txt ] ||
  options=(-DBUILD_TESTS=OFF -DBUILD_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Release)
bash scripts/build.sh build --target demo "${options[@]}"
cd build && exec ./bin/mediahost "$@"
