#!/bin/sh
# Times the shortest method's two-phase search and a JavaScript two-phase solver from
# the npm registry side by side, both held to at most 20 turns, in one run.
#
#   scripts/compare_two_phase.sh [BUILD_DIR] [COUNT]
#
# The JavaScript solver is installed for this measurement only, into a cache folder
# outside the source tree (VELMORA_BENCH_CACHE, default ~/.cache/velmora-bench); it is
# never part of the program. Needs node and npm, and the bench target built.
set -eu
build=${1:-build}
count=${2:-1000}
cache=${VELMORA_BENCH_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/velmora-bench}
package=min2phase.js@0.0.4

mkdir -p "$cache"
if [ ! -f "$cache/node_modules/min2phase.js/min2phase.js" ]; then
  npm install --prefix "$cache" --no-save --no-audit --no-fund "$package" >/dev/null
fi

cat > "$cache/time_js_solver.js" <<'JS'
const solver = require(process.argv[2] + '/node_modules/min2phase.js/min2phase.js');
const { performance } = require('perf_hooks');
const count = +process.argv[3];
solver.initFull();
const search = new solver.Search();
const ms = [];
let turns = 0, longest = 0, failed = 0;
for (let i = 0; i < count; i++) {
  const cube = solver.randomCube();
  const t0 = performance.now();
  const text = search.solution(cube, 20, 1e9, 0, 0).trim();
  ms.push(performance.now() - t0);
  if (text.startsWith('Error')) { failed++; continue; }
  const n = text.length ? text.split(/\s+/).length : 0;
  turns += n;
  longest = Math.max(longest, n);
}
ms.sort((a, b) => a - b);
const mean = ms.reduce((a, b) => a + b, 0) / count;
console.log(`js      median_ms=${ms[count >> 1].toFixed(3)} mean_ms=${mean.toFixed(3)} ` +
            `max_ms=${ms[count - 1].toFixed(3)} mean_turns=${(turns / (count - failed)).toFixed(3)} ` +
            `max_turns=${longest} failed=${failed}`);
JS

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/bench" --benchmark_filter="BM_TwoPhaseSearchDeals/$count/" --benchmark_format=json 2>/dev/null |
  node -e '
    let s = ""; process.stdin.on("data", d => s += d).on("end", () => {
      const b = JSON.parse(s).benchmarks[0];
      console.log(`velmora median_ms=${b.median_ms.toFixed(3)} mean_ms=${b.mean_ms.toFixed(3)} ` +
                  `max_ms=${b.max_ms.toFixed(3)} mean_turns=${b.mean_turns.toFixed(3)} ` +
                  `max_turns=${b.max_turns} failed=${b.failed}`);
    });'
node "$cache/time_js_solver.js" "$cache" "$count"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
