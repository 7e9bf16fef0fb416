#!/usr/bin/env bash
# Runs the fuzz target of the DIB reader and the sound check for a bounded time, seeded
# with the committed pictures (without their 14-byte file headers) and sounds, the
# malformed bitmaps of the Wine tests and the corpus committed in tests/fuzz/corpus. New inputs go to WORK/found, never into
# the repository; a failing input is saved as WORK/crash-*.
#   run_dib_fuzz.sh FUZZER SOURCE_ROOT WORK SECONDS
set -eu
fuzzer=$1 root=$2 work=$3 seconds=$4
rm -rf "$work"
mkdir -p "$work/found" "$work/seeds"
for bmp in "$root"/resources/*.bmp; do
  tail -c +15 "$bmp" >"$work/seeds/$(basename "$bmp" .bmp).dib"
done
cp "$root"/tests/win32/data/*.dib "$root"/resources/*.wav "$work/seeds/"
status=0
"$fuzzer" -max_total_time="$seconds" -max_len=8192 -timeout=10 -print_final_stats=1 \
  -artifact_prefix="$work/" "$work/found" "$work/seeds" "$root/tests/fuzz/corpus" \
  >"$work/log" 2>&1 || status=$?
grep -E "^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::new_units_added)" "$work/log" || true
if [ "$status" != 0 ]; then
  grep -vE "^(#|INFO)" "$work/log" | head -40
  echo "FAIL: the fuzzer stopped (exit $status); inputs: $(ls "$work"/crash-* "$work"/timeout-* 2>/dev/null)"
  exit 1
fi
echo "found $(ls "$work/found" | wc -l) new inputs in $seconds s (in $work/found)"
