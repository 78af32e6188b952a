#!/usr/bin/env bash
# Installs the Debian packages the build needs, and only those missing.
#   scripts/install-deps.sh run     what building and opening the Linux survey needs
#   scripts/install-deps.sh check   everything: every target and every test
set -euo pipefail

run_packages=(cmake ninja-build g++ qt6-base-dev libgl-dev)
check_packages=("${run_packages[@]}"
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils locales
  libcli11-dev nlohmann-json3-dev libsqlite3-dev
  clang clang-format clang-tidy libclang-rt-14-dev
  dpkg-dev file xdotool libx11-dev python3 chromium)

case "${1:-check}" in
  run) wanted=("${run_packages[@]}") ;;
  check) wanted=("${check_packages[@]}") ;;
  *) echo "usage: $0 run|check" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}" </dev/null
