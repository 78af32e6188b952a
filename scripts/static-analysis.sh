#!/usr/bin/env bash
# Static checks of the project's own sources (src, tools, tests, fuzz, bench):
#   format  clang-format --dry-run --Werror with .clang-format
#   tidy    clang-tidy with .clang-tidy, every warning an error, on each
#           source file in the compile database of the linux-ci preset (so new
#           files, Qt ones included, are checked with their real flags)
#   scripts/static-analysis.sh [format|tidy|all]      (default: all)
set -euo pipefail
cd "$(dirname "$0")/.."

what=${1:-all}
folders=(src tools tests fuzz bench)
jobs=$(nproc)
[ "$jobs" -le 2 ] || jobs=2  # the machine is shared

check_format() {
  local existing=()
  for folder in "${folders[@]}"; do [ -d "$folder" ] && existing+=("$folder"); done
  mapfile -t sources < <(find "${existing[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
  clang-format-14 --dry-run --Werror "${sources[@]}"
  echo "format: ${#sources[@]} files follow .clang-format"
}

check_tidy() {
  cmake --preset linux-ci >/dev/null
  # A full build first: generated sources (Qt's moc and uic output) must exist.
  cmake --build --preset linux-ci
  local root=$PWD
  mapfile -t sources < <(python3 - "$root" "${folders[@]}" <<'PY'
import json, re, sys
root, folders = sys.argv[1], sys.argv[2:]
own = re.compile("^" + re.escape(root) + "/(" + "|".join(folders) + ")/")
entries = json.load(open(root + "/build/linux-ci/compile_commands.json"))
print("\n".join(sorted({e["file"] for e in entries if own.match(e["file"])})))
PY
  )
  local header_filter="^$root/($(IFS='|'; echo "${folders[*]}"))/"
  # One clang-tidy per file, two at a time; a file's output is shown only
  # when it has something to say.
  printf '%s\n' "${sources[@]}" | xargs -P "$jobs" -I{} sh -c '
    out=$(clang-tidy-14 -p build/linux-ci --quiet --header-filter="$1" "$2" 2>&1) ||
      { printf "%s\n" "$out" | grep -v "warnings generated" >&2; exit 1; }' sh "$header_filter" {}
  echo "tidy: ${#sources[@]} files without a warning"
}

case "$what" in
  format) check_format ;;
  tidy) check_tidy ;;
  all) check_format && check_tidy ;;
  *) echo "usage: $0 [format|tidy|all]" >&2; exit 2 ;;
esac
