#!/usr/bin/env bash
# Builds every configuration and runs the whole test suite:
#   debug   unit, protocol, bench and tool tests under AddressSanitizer + UBSan
#   tsan    the threading tests under ThreadSanitizer
#   release the end-to-end games and the bench signature on the optimised engine
#   fuzz    the command loop fuzzer for a bounded time
set -euo pipefail
cd "$(dirname "$0")/.."

configure_and_build() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" ${2:+--target "$2"}
}

configure_and_build debug
ctest --preset debug -j2 -LE e2e

configure_and_build tsan
ctest --preset tsan -j2

configure_and_build release
ctest --preset release -L 'e2e|bench'

configure_and_build fuzz command_fuzzer
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
build/fuzz/tests/fuzz/command_fuzzer "$corpus" tests/fuzz/corpus \
  -max_total_time="${FUZZ_SECONDS:-60}" -timeout=10 -max_len=2048 -print_final_stats=1 2>&1 |
  tail -n 5

echo "all checks passed"
