#!/usr/bin/env bash
# Builds the benchmarks without sanitizers (they would distort the times)
# in build/bench and runs them; each prints its own figures.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/setup-machine.sh"
cmake -S "$root" -B "$root/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQX_SANITIZE=OFF >/dev/null
cmake --build "$root/build/bench" -j "$(nproc)" --target link_bench
"$root/build/bench/bench/link_bench"
