#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh demo test bench
bash scripts/build.sh build -DBUILD_TESTS=ON -DBUILD_BENCHMARKS=ON
ctest --test-dir build --output-on-failure -j2 --timeout 300
