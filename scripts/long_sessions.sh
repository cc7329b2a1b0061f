#!/usr/bin/env bash
# long_sessions.sh [KEYS]: a TV and an FM session of KEYS keys each (default
# 10000), made up at random (seeded, so every run is the same) from the keys a
# viewer and a listener use, run through the host program without real-time
# pauses; prints the time taken and the program's resident memory and threads
# near the start and at the end. Needs a build in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
keys=${1:-10000}
host=build/bin/mediahost

# A script of KEYS keys between start and end, the rest drawn from the words given
# (a word in braces is one key, any other word one key per character; '_' stands
# for a space inside braces), with the slow word every 2000 keys.
make_script() {
  local start=$1 words=$2 slow=$3 end=$4
  awk -v n="$keys" -v start="$start" -v words="$words" -v slow="$slow" -v end="$end" 'BEGIN {
    srand(18); count = split(words, w, " "); s = start; k = length(start) + length(end)
    while (k < n) {
      word = w[int(rand() * count) + 1]
      gsub("_", " ", word)
      if (slow != "" && int(k / 2000) != int((k + 1) / 2000)) word = slow
      rest = word; size = gsub(/\{[^}]*\}/, "", rest) + length(rest)
      if (k + size > n) continue
      s = s word; k += size
    }
    print s end
  }'
}

# Runs one session, sampling /proc every second.
run() {
  local label=$1 option=$2 script=$3
  local log errors; log=$(mktemp); errors=$(mktemp)
  local began=$SECONDS
  "$host" --no-pauses "$option" "$script" >/dev/null 2>"$errors" &
  local pid=$! first="" last=""
  while kill -0 "$pid" 2>/dev/null; do
    local sample
    sample=$(awk '/^VmRSS/ {r = $2} /^Threads/ {t = $2} END {if (r) print r " kB, " t " threads"}' \
      "/proc/$pid/status" 2>/dev/null || true)
    if [ -n "$sample" ]; then
      [ -z "$first" ] && [ $((SECONDS - began)) -ge 5 ] && first=$sample
      last=$sample
      echo "$sample" >>"$log"
    fi
    sleep 1
  done
  wait "$pid" && status=0 || status=$?
  echo "$label: $keys keys in $((SECONDS - began)) s, exit $status"
  [ "$status" -eq 0 ] || sed 's/^/  stderr: /' "$errors" | tail -5
  echo "  resident at 5 s: $first; at the end: $last"
  echo "  highest resident: $(sort -n "$log" | tail -1)"
  echo "  every 30 s: $(awk 'NR % 30 == 5 {printf "%s%s", sep, $1; sep = " "}' "$log") kB"
  rm -f "$log" "$errors"
}

# A rescan ('a') takes seconds, so it comes only now and then. Enter comes after
# typed digits: on its own the TV shows the channel after its notice delay (4 s,
# in real time), and keys sent meanwhile would only queue up behind it.
tv_words='( ( ) ) ! + - f f i s = 1 2 3 12 45 99 125 7{enter} 12{enter} {favourites} {fav_1}
  {fav_7} {finetune} {right} {left}'
fm_words='< > < > ] [ ( ) + - f f 1015 0875 1011 {enter} {store_1} {store_4} {list} {up} {down}'
run "TV" --script "$(make_script q "$tv_words" a x)"
run "FM" --fm-script "$(make_script q "$fm_words" "" x)"
