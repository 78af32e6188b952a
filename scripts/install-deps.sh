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
  dpkg-dev file xdotool libx11-dev python3 chromium tcl lintian help2man xz-utils)
# Installed without their recommendations, which are a whole office suite's.
lean_check_packages=(libreoffice-calc-nogui)

lean=()
case "${1:-check}" in
  run) wanted=("${run_packages[@]}") ;;
  check) wanted=("${check_packages[@]}") lean=("${lean_check_packages[@]}") ;;
  *) echo "usage: $0 run|check" >&2; exit 2 ;;
esac

not_installed() {
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || echo "$package"
  done
}
mapfile -t missing < <(not_installed "${wanted[@]}")
mapfile -t missing_lean < <(not_installed "${lean[@]}")
[ ${#missing[@]} -eq 0 ] && [ ${#missing_lean[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]} ${missing_lean[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
[ ${#missing[@]} -eq 0 ] || $sudo apt-get install -y -qq "${missing[@]}" </dev/null
[ ${#missing_lean[@]} -eq 0 ] ||
  $sudo apt-get install -y -qq --no-install-recommends "${missing_lean[@]}" </dev/null
