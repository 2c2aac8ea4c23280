#!/usr/bin/env bash
# Builds every configuration and runs the whole test suite:
#   debug   unit, protocol, bench and tool tests under AddressSanitizer + UBSan (the
#           timed end-to-end games run on the release build only)
#   tsan    the threading tests under ThreadSanitizer
#   wasm    the engine compiled to WebAssembly, the static web site and its zip; the bench
#           and the brain under Node, and the site's Web Worker, against the release build
#   release the end-to-end games and the bench signature on the optimised engine, and the
#           web page in headless Chromium
#   fuzz    the command loop fuzzer for a bounded time
#   windows the executables cross-compiled with MinGW-w64 and their zip, tested under Wine
# Each stage starts with a heading and ends with the seconds it took.
set -euo pipefail
cd "$(dirname "$0")/.."

stage_name=""
stage() {
  finish_stage
  stage_name=$1
  stage_start=$SECONDS
  printf '\n=== %s ===\n' "$stage_name"
}
finish_stage() {
  if [[ -n $stage_name ]]; then
    echo "--- $stage_name: $((SECONDS - stage_start)) s"
  fi
}

configure_and_build() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" ${2:+--target "$2"}
}

# Installs the Debian packages that are missing; the package lists are refreshed only when
# they do not know a package or an install from them fails. Any failure ends the check.
install_packages() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$' ||
      missing+=("$package")
  done
  ((${#missing[@]} == 0)) && return
  echo "installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  local install=(apt-get install -y -q --no-install-recommends "${missing[@]}")
  if ! apt-cache show "${missing[@]}" >/dev/null 2>&1; then
    apt-get update -q
  fi
  "${install[@]}" || { apt-get update -q && "${install[@]}"; }
}

# Runs the command loop fuzzer for FUZZ_SECONDS (default 60) and sums it up in one line;
# what it finds is kept in build/fuzz/findings and ends the check.
run_fuzzer() {
  local seconds=${FUZZ_SECONDS:-60} corpus log findings status=0
  corpus=$(mktemp -d)
  log=$(mktemp)
  findings=build/fuzz/findings
  rm -rf "$findings"
  mkdir -p "$findings"
  build/fuzz/tests/fuzz/command_fuzzer "$corpus" tests/fuzz/corpus -artifact_prefix="$findings/" \
    -max_total_time="$seconds" -timeout=10 -max_len=2048 -print_final_stats=1 >"$log" 2>&1 ||
    status=$?
  local runs rate found
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  found=$(find "$findings" -type f | wc -l)
  echo "fuzzer: ${runs:-?} runs in $seconds s, ${rate:-?} runs/s, $found findings"
  if ((status != 0 || found > 0)); then
    tail -n 40 "$log"
    ls -l "$findings"
    rm -rf "$corpus" "$log"
    return 1
  fi
  rm -rf "$corpus" "$log"
}

stage "debug: unit, protocol, bench and tool tests (AddressSanitizer + UBSan)"
# The page's record module is tested under Node.
install_packages nodejs
configure_and_build debug
ctest --preset debug -j2

stage "tsan: threading tests (ThreadSanitizer)"
configure_and_build tsan
ctest --preset tsan -j2

stage "wasm: the engine in WebAssembly and the static site, tested against the native programs"
# Debian's Emscripten; the wasm preset gives its compiler the NODE_PATH it needs. The wasm
# tests compare with the release bench and brain; the release stage's browser test serves
# the site built here.
install_packages emscripten
cmake --preset release >/dev/null
cmake --build --preset release --target fivefold-bench pbrain-fivefold
configure_and_build wasm
ctest --preset wasm -j2

stage "release: end-to-end games and the bench signature"
# The package target builds everything first; a test unpacks the tarball and plays with it.
configure_and_build release package
# The browser test drives Debian's Chromium through its chromedriver and python3-selenium;
# the sharded match runs through GNU parallel.
install_packages chromium chromium-driver python3-selenium parallel
# The site built in the wasm stage must be there: its absence fails the browser test.
FIVEFOLD_REQUIRE_SITE=1 ctest --preset release -L 'e2e|bench|browser'

stage "fuzz: the command loop fuzzer"
configure_and_build fuzz command_fuzzer
run_fuzzer

stage "windows: MinGW-w64 build, zip and the tests under Wine"
# The cross-compiler with POSIX threads (std::thread) and the 64-bit Wine loader.
install_packages g++-mingw-w64-x86-64-posix wine64
# The package target builds everything first; the wine tests open the zip.
configure_and_build windows package
# The wine tests are registered in the host build once it knows the Windows build.
cmake --preset debug -DFIVEFOLD_WINDOWS_BUILD_DIR="$PWD/build/windows" >/dev/null
ctest --preset wine -j2

finish_stage
echo "all checks passed"
