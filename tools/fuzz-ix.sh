#!/usr/bin/env bash
# Fuzzes the IX block decoder and the raw-track parser with libFuzzer:
#   tools/fuzz-ix.sh [seconds]     run for that long (default 300)
#   tools/fuzz-ix.sh --available   exit 0 when clang++ with libFuzzer works here
# Builds tests/fuzz with clang++ (AddressSanitizer, UBSan) in <build root>/fuzz,
# the build root being QX_BUILD_ROOT or <repo>/build as for build.sh. Inputs
# the fuzzer finds are kept in <build root>/fuzz/corpus; the seeds in
# tests/fuzz/corpus are read, never written. A crash keeps its input in
# <build root>/fuzz/ (crash-*), prints the log's end and fails the script.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
builds=${QX_BUILD_ROOT:-$root/build}
out=$builds/fuzz

# Compiling is the test: clang++ may be there without libFuzzer's runtime.
libfuzzer_works() {
  mkdir -p "$out"
  printf '%s\n' '#include <cstddef>' '#include <cstdint>' \
    'extern "C" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }' > "$out/probe.cpp"
  clang++ -fsanitize=fuzzer,address,undefined "$out/probe.cpp" -o "$out/probe" >/dev/null 2>&1
}

if [ "${1:-}" = --available ]; then
  libfuzzer_works
  exit
fi
seconds=${1:-300}
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: tools/fuzz-ix.sh [seconds] | --available" >&2
  exit 2
fi
if ! libfuzzer_works; then
  echo "fuzz-ix: clang++ with libFuzzer is not installed (tools/setup-machine.sh installs it)" >&2
  exit 1
fi

# The build's own messages only when it fails (Ninja prints errors on stdout).
if ! { cmake -S "$root/tests/fuzz" -B "$out/build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
             -DCMAKE_CXX_COMPILER=clang++ && cmake --build "$out/build"; } >"$out/build.log" 2>&1; then
  cat "$out/build.log" >&2
  echo "fuzz-ix: the fuzz target did not build" >&2
  exit 1
fi
mkdir -p "$out/corpus"
log=$out/fuzz.log
echo "fuzz-ix: ${seconds} s of the IX block decoder and track parser (log: $log)"
if ! "$out/build/ix_record_fuzz" -max_total_time="$seconds" -max_len=128 -timeout=5 \
       -artifact_prefix="$out/" "$out/corpus" "$root/tests/fuzz/corpus" >"$log" 2>&1; then
  tail -n 40 "$log" >&2
  echo "fuzz-ix: FAILED; the input is kept in $out/" >&2
  exit 1
fi
grep -E '^Done [0-9]+ runs' "$log" || tail -n 1 "$log"
