#!/usr/bin/env bash
# Builds every configuration and runs the whole test suite: unit and protocol tests under
# AddressSanitizer + UndefinedBehaviorSanitizer, the threading tests under ThreadSanitizer,
# then the Windows executables, cross-compiled with MinGW-w64, under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

run_preset() {
  local preset=$1
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset" -j2
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

run_preset debug
run_preset tsan

# The cross-compiler with POSIX threads (std::thread) and the 64-bit Wine loader.
install_packages g++-mingw-w64-x86-64-posix wine64
cmake --preset windows >/dev/null
cmake --build --preset windows
# The wine tests are registered in the host build once it knows the Windows build.
cmake --preset debug -DFIVEFOLD_WINDOWS_BUILD_DIR="$PWD/build/windows" >/dev/null
ctest --preset wine -j2
echo "all checks passed"
