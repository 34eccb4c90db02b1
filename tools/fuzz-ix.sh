#!/usr/bin/env bash
# Fuzzes the IX block decoder and the raw-track parser, then the index file
# reader, with libFuzzer:
#   tools/fuzz-ix.sh [seconds]     run for that long in all (default 300),
#                                  half each (the first target the odd second)
#   tools/fuzz-ix.sh --available   exit 0 when clang++ with libFuzzer works here
# Builds tests/fuzz with clang++ (AddressSanitizer, UBSan) in <build root>/fuzz,
# the build root being QX_BUILD_ROOT or <repo>/build as for build.sh. Inputs
# the fuzzers find are kept in <build root>/fuzz/corpus (IX blocks) and
# <build root>/fuzz/corpus-index-file; the seeds in tests/fuzz/corpus are
# read, never written (the index file target makes its own sound files). A
# crash keeps its input in <build root>/fuzz/ (crash-*), prints the log's end
# and fails the script.
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
  echo "fuzz-ix: the fuzz targets did not build" >&2
  exit 1
fi
mkdir -p "$out/corpus" "$out/corpus-index-file"

# run_target <name> <seconds> <what> <max input length> <corpus...>
run_target() {
  local name=$1 time=$2 what=$3 max_len=$4
  shift 4
  local log=$out/$name.log
  echo "fuzz-ix: ${time} s of the ${what} (log: $log)"
  if ! "$out/build/$name" -max_total_time="$time" -max_len="$max_len" -timeout=5 \
         -artifact_prefix="$out/" "$@" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "fuzz-ix: FAILED; the input is kept in $out/" >&2
    exit 1
  fi
  grep -E '^Done [0-9]+ runs' "$log" || tail -n 1 "$log"
}

# Each target gets at least a second.
first=$(( (seconds + 1) / 2 ))
second=$(( seconds - first > 0 ? seconds - first : 1 ))
run_target ix_record_fuzz "$first" "IX block decoder and track parser" 128 \
  "$out/corpus" "$root/tests/fuzz/corpus"
# Long enough for two whole frames as raw bytes; edits reach the rest.
run_target index_file_fuzz "$second" "index file reader" 36000 "$out/corpus-index-file"
