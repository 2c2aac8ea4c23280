#!/usr/bin/env bash
# Builds every configuration and runs the whole test suite:
#   debug   unit, protocol, bench and tool tests under AddressSanitizer + UBSan (the
#           timed end-to-end games run on the release build only)
#   tsan    the threading tests under ThreadSanitizer
#   release the end-to-end games and the bench signature on the optimised engine, and the
#           web page in headless Chromium
#   fuzz    the command loop fuzzer for a bounded time
#   windows the executables cross-compiled with MinGW-w64, tested under Wine
set -euo pipefail
cd "$(dirname "$0")/.."

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

configure_and_build debug
ctest --preset debug -j2

configure_and_build tsan
ctest --preset tsan -j2

configure_and_build release
# The browser test drives Debian's Chromium through its chromedriver and python3-selenium.
install_packages chromium chromium-driver python3-selenium
ctest --preset release -L 'e2e|bench|browser'

configure_and_build fuzz command_fuzzer
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
build/fuzz/tests/fuzz/command_fuzzer "$corpus" tests/fuzz/corpus \
  -max_total_time="${FUZZ_SECONDS:-60}" -timeout=10 -max_len=2048 -print_final_stats=1 2>&1 |
  tail -n 5

# The cross-compiler with POSIX threads (std::thread) and the 64-bit Wine loader.
install_packages g++-mingw-w64-x86-64-posix wine64
configure_and_build windows
# The wine tests are registered in the host build once it knows the Windows build.
cmake --preset debug -DFIVEFOLD_WINDOWS_BUILD_DIR="$PWD/build/windows" >/dev/null
ctest --preset wine -j2

echo "all checks passed"
