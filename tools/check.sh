#!/usr/bin/env bash
# Builds every configuration and runs the whole test suite: unit and protocol tests under
# AddressSanitizer + UndefinedBehaviorSanitizer, the threading tests under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

run_preset() {
  local preset=$1
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset" -j2
}

run_preset debug
run_preset tsan
echo "all checks passed"
