#!/usr/bin/env bash
# Builds the benchmarks without sanitizers (they would distort the times)
# in build/bench and runs them; each prints its own figures.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/setup-machine.sh"
cmake -S "$root" -B "$root/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQX_SANITIZE=OFF >/dev/null
cmake --build "$root/build/bench" -j "$(nproc)" --target link_bench acquisition_bench controls_bench
bench="$root/build/bench/bench"
"$bench/link_bench"
echo
"$bench/acquisition_bench"
echo
"$bench/controls_bench"
echo
# The scan window's drawing: the Windows build in the test prefix, under
# one Wine session of its own.
"$root/tools/build.sh" win32 >/dev/null
"$root/tools/wine-prefix.sh"
"$root/tools/wine-session.sh" start
trap '"$root/tools/wine-session.sh" stop' EXIT
"$root/tools/wine-run.sh" "$root/build/win32/bench/scan_window_bench.exe"
echo
# Instructions of our own line pipeline: callgrind collects only the
# replayed 600 x 400 scan (no virtual scanner in it).
out=$(mktemp -d)
valgrind --tool=callgrind --callgrind-out-file="$out/callgrind.out" \
  --toggle-collect=bench_replay_scan "$bench/acquisition_bench" --replay-only 2>"$out/log" >/dev/null
# The replaying port's own instructions are the benchmark's, not ours.
callgrind_annotate "$out/callgrind.out" 2>/dev/null | awk '
  /PROGRAM TOTALS/ { gsub(",", "", $1); total = $1 }
  /RecordingPort::Replay/ { gsub(",", "", $1); replay += $1 }
  END { printf "  instructions per pixel (callgrind, 600 x 400 replay) %.1f (not counted: %.1f of the replaying port)\n",
               (total - replay) / (600 * 400), replay / (600 * 400) }'
rm -rf "$out"

