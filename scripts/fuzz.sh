#!/usr/bin/env bash
# Long fuzzing runs: builds the libFuzzer targets (clang, ASan+UBSan) and runs each for
# SECONDS (default 600), two at a time, over its seed corpus. New inputs go to
# build-asan/tests/fuzz-long/<target>; crashes are written to the current folder.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMORA_SANITIZE=ON -DVELMORA_FUZZ=ON -DVELMORA_BUILD_GUI=OFF >/dev/null
cmake --build build-asan -j"$(nproc)"
run() {
  local t=$1 dir=build-asan/tests/fuzz-long/$1
  mkdir -p "$dir"
  local quiet=()
  # The option parser prints help and errors for almost every input.
  [[ $t == cli_options ]] && quiet=(-close_fd_mask=3)
  build-asan/tests/fuzz_$t -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "${quiet[@]}" "$dir" tests/fuzz/corpus/$t > "build-asan/tests/fuzz-long/$t.log" 2>&1 &&
    echo "$t: $(grep -E 'stat::number_of_executed_units' build-asan/tests/fuzz-long/$t.log)" ||
    echo "$t: FAILED, see build-asan/tests/fuzz-long/$t.log"
}
targets=(move_string position_text cube_file finish_input model_walk facelet_string cube_file_writer cli_options)
for ((i = 0; i < ${#targets[@]}; i += 2)); do
  run "${targets[i]}" &
  if (( i + 1 < ${#targets[@]} )); then run "${targets[i+1]}" & fi
  wait
done
