#!/usr/bin/env bash
# Builds the fuzzing build (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build/fuzz and runs every harness, one after
# the other, on its corpus for a bounded time. Any crash, hang, leak or memory
# blow-up fails the run; the input that caused it is kept in
# build/fuzz/findings/<harness>/ and in fuzz/regressions/<harness>/, where the
# test build replays it (FuzzReplay.<harness>), and named in the output.
#
#   bash scripts/fuzz.sh [total seconds, default 150] [harness ...]
#
# The corpus of a harness (build/fuzz/corpus/<name>) grows from run to run; the
# seeds come from scripts/fuzz-seeds.py and fuzz/dict/ holds the dictionaries.
set -euo pipefail
cd "$(dirname "$0")/.."

TOTAL=${1:-150}
shift || true

cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVZ_FUZZ=ON -DVZ_WERROR=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz --target vz_fuzzers

OUT=build/fuzz
# The grid harnesses run Qt; the leaks of the system libraries under it (never
# of our code) are listed in fuzz/lsan.supp.
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
rm -rf "$OUT/seeds"
python3 scripts/fuzz-seeds.py "$OUT/seeds"

if (($#)); then
  HARNESSES=("$@")
else
  HARNESSES=()
  for exe in "$OUT"/fuzz/fuzz_*; do HARNESSES+=("${exe##*/fuzz_}"); done
fi
PER=$((TOTAL / ${#HARNESSES[@]}))
((PER >= 1)) || PER=1

# Runs harness $1 for PER seconds; prints one line of outcome, fails on a finding.
run_one() {
  local h=$1 corpus="$OUT/corpus/$1" findings="$OUT/findings/$1" log="$OUT/logs/$1.log"
  mkdir -p "$corpus" "$findings" "$OUT/logs"
  local args=(-max_total_time="$PER" -timeout=10 -rss_limit_mb=2048 -max_len=8192
              -print_final_stats=1 -artifact_prefix="$findings/")
  # A harness named zip_extract takes fuzz/dict/zip_extract.dict, else zip.dict.
  local d
  for d in "fuzz/dict/$h.dict" "fuzz/dict/${h%%_*}.dict"; do
    if [ -f "$d" ]; then args+=(-dict="$d"); break; fi
  done
  local seeds=()
  [ -d "$OUT/seeds/$h" ] && seeds+=("$OUT/seeds/$h")
  if "$OUT/fuzz/fuzz_$h" "${args[@]}" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    echo "fuzz $h: ok, ${PER}s, $(grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [^ ]+' "$log" | tail -1)"
  else
    echo "fuzz $h: FAILED (log: $log)"
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$log" | head -20 || true
    # The input is kept beside the harness, where CTest replays it
    # (FuzzReplay.<harness>) from now on: commit it with the mend.
    mkdir -p "fuzz/regressions/$h"
    cp "$findings"/* "fuzz/regressions/$h/" 2>/dev/null || true
    echo "fuzz $h: the input is kept in fuzz/regressions/$h/"
    return 1
  fi
}

# VZ_FUZZ_JOBS harnesses run at once (default 1); the total is CPU time.
JOBS=${VZ_FUZZ_JOBS:-1}
failed=0
running=0
for h in "${HARNESSES[@]}"; do
  if ((running >= JOBS)); then
    wait -n || failed=1
    running=$((running - 1))
  fi
  run_one "$h" &
  running=$((running + 1))
done
while ((running > 0)); do
  wait -n || failed=1
  running=$((running - 1))
done

if ((failed)); then
  echo "fuzzing found faults; the inputs are in $OUT/findings/"
  exit 1
fi
