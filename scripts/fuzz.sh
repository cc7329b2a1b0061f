#!/usr/bin/env bash
# fuzz.sh [SECONDS]: builds the libFuzzer targets of fuzz/ with clang into
# build-fuzz (AddressSanitizer and UndefinedBehaviorSanitizer on), replays
# every seed corpus as a regression run, then fuzzes each target for SECONDS
# (default 20; 0 replays only), one target per core at a time. Any finding
# stops the script with its input in build-fuzz/artifacts/. Installs clang and
# its libFuzzer runtime when missing. Longer runs: fuzz/README.md.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
# A fixed random seed, so a run that finds something finds it again; FUZZ_SEED
# picks another walk through the inputs.
seed=${FUZZ_SEED:-1}

packages=(clang libclang-rt-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi

cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DBUILD_FUZZERS=ON -DSANITIZE=address,undefined -DBUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-fuzz --target fuzzers

mkdir -p build-fuzz/artifacts
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
names=()
for corpus in $(find fuzz -type d -name '*_corpus' | sort); do
  name=$(basename "$corpus" _corpus)
  names+=("$name:$corpus")
  echo "== $name: replaying $(ls "$corpus" | wc -l) seeds"
  build-fuzz/fuzz/${name}_fuzzer -runs=0 "$corpus" >build-fuzz/artifacts/$name.replay.log 2>&1 ||
    { cat build-fuzz/artifacts/$name.replay.log; exit 1; }
done
[ "$seconds" -gt 0 ] || exit 0

# fuzz_one NAME CORPUS: SECONDS of fuzzing; the log's last lines when it finds something.
fuzz_one() {
  local name=$1 corpus=$2 status=0
  # New inputs go to a scratch folder, so the seeds in the repository stay as they are.
  local work
  work=$(mktemp -d)
  build-fuzz/fuzz/${name}_fuzzer -seed="$seed" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/$name- \
    "$work" "$corpus" >build-fuzz/artifacts/$name.run.log 2>&1 || status=$?
  rm -rf "$work"
  if [ $status -ne 0 ]; then
    echo "== $name: finding (exit $status)"
    tail -60 build-fuzz/artifacts/$name.run.log
    return $status
  fi
  echo "== $name: $(grep -E '^#[0-9]+[[:space:]]+DONE' build-fuzz/artifacts/$name.run.log | tail -1)"
}

# One target per core at a time; the first finding stops the run and the others.
trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
jobs_at_once=$(nproc)
running=0
for entry in "${names[@]}"; do
  if [ $running -ge "$jobs_at_once" ]; then
    wait -n || exit $?
    running=$((running - 1))
  fi
  fuzz_one "${entry%%:*}" "${entry#*:}" &
  running=$((running + 1))
done
while [ $running -gt 0 ]; do
  wait -n || exit $?
  running=$((running - 1))
done
