#!/usr/bin/env bash
# Static checks of the project's own sources (src, tools, tests, fuzz, bench):
#   format  clang-format --dry-run --Werror with .clang-format
#   tidy    clang-tidy with .clang-tidy, every warning an error, on each of
#           the project's files in the compile database of the linux-ci
#           preset (so new files, Qt ones included, are checked with their
#           real flags)
#   tidy-windows  the same for the files only the windows-x86 preset
#           compiles (the Windows services and window), as clang sees them
#           for the mingw-w64 target
#   scripts/static-analysis.sh [format|tidy|tidy-windows|all]
#   (default: all, which is the three)
set -euo pipefail
cd "$(dirname "$0")/.."

what=${1:-all}
folders=(src tools tests fuzz bench)
root=$PWD
header_filter="^$root/($(IFS='|'; echo "${folders[*]}"))/"
jobs=$(nproc)
[ "$jobs" -le 2 ] || jobs=2  # the machine is shared

check_format() {
  local existing=()
  for folder in "${folders[@]}"; do [ -d "$folder" ] && existing+=("$folder"); done
  mapfile -t sources < <(find "${existing[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
  clang-format-14 --dry-run --Werror "${sources[@]}" || return 1
  echo "format: ${#sources[@]} files follow .clang-format"
}

# The project's files in a compile database, less those of another one.
own_files() {
  python3 - "$root" "$1" "${2:-}" "${folders[@]}" <<'PY'
import json, os, re, sys
root, database, other, folders = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
own = re.compile("^" + re.escape(root) + "/(" + "|".join(folders) + ")/")
def files(path):
    return {e["file"] for e in json.load(open(path)) if own.match(e["file"])} if path else set()
print("\n".join(sorted(files(database) - files(other))))
PY
}

# Runs clang-tidy on the files read from stdin, two at a time; a file's
# output is shown only when it has something to say.
tidy_files() {
  local build_dir=$1
  shift
  xargs -r -P "$jobs" -I{} sh -c '
    build_dir=$1; header_filter=$2; file=$3; shift 3
    out=$(clang-tidy-14 -p "$build_dir" --quiet --header-filter="$header_filter" "$@" "$file" 2>&1) ||
      { printf "%s\n" "$out" | grep -v "warnings generated" >&2; exit 1; }' \
    sh "$build_dir" "$header_filter" {} "$@"
}

check_tidy() {
  cmake --preset linux-ci >/dev/null
  # A full build first: generated sources (Qt's moc and uic output) must exist.
  cmake --build --preset linux-ci
  local linux_db=build/linux-ci/compile_commands.json
  mapfile -t linux_sources < <(own_files "$linux_db")
  printf '%s\n' "${linux_sources[@]}" | tidy_files build/linux-ci || return 1
  echo "tidy: ${#linux_sources[@]} files of the Linux build without a warning"
}

check_tidy_windows() {
  cmake --preset linux-ci >/dev/null
  cmake --preset windows-x86 >/dev/null
  local linux_db=build/linux-ci/compile_commands.json
  mapfile -t windows_sources < <(own_files build/windows-x86/compile_commands.json "$linux_db")
  [ ${#windows_sources[@]} -gt 0 ] || return 0
  # clang finds the mingw-w64 headers itself, but not its libstdc++.
  # mingw-w64 pastes a lower-case "l" onto its long constants (WS_CAPTION...)
  # with a macro, so the literal has no file the header filter could skip and
  # cert-dcl16-c flags it in our code: the same macro with an upper-case "L".
  local extra=(--extra-arg-before=--target=i686-w64-mingw32 '--extra-arg=-D__MSABI_LONG(x)=x##L')
  while read -r folder; do
    extra+=("--extra-arg=-isystem$folder")
  done < <(i686-w64-mingw32-g++-posix -E -x c++ -v - </dev/null 2>&1 |
    sed -n '/<...> search starts/,/End of search/p' | grep '/c++' | sed 's/^ *//')
  printf '%s\n' "${windows_sources[@]}" | tidy_files build/windows-x86 "${extra[@]}" || return 1
  echo "tidy: ${#windows_sources[@]} files only the Windows build compiles without a warning"
}

case "$what" in
  format) check_format ;;
  tidy) check_tidy ;;
  tidy-windows) check_tidy_windows ;;
  # One after the other, not joined by &&: set -e does not reach inside a
  # function called on the left of && (a finding would pass unnoticed).
  all)
    check_format
    check_tidy
    check_tidy_windows
    ;;
  *) echo "usage: $0 [format|tidy|tidy-windows|all]" >&2; exit 2 ;;
esac
