#!/usr/bin/env bash
# Installs what is missing, builds the host program and runs its demonstration.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh build -DBUILD_BENCHMARKS=OFF
cd build && exec ./bin/mediahost "$@"
