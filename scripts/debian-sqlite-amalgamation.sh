#!/usr/bin/env bash
# Makes SQLite's one-file amalgamation (sqlite3.c, sqlite3.h) from Debian's
# source package sqlite3, with Debian's tclsh, for the Windows cross builds.
#   scripts/debian-sqlite-amalgamation.sh WORK_FOLDER OUTPUT_FOLDER
# WORK_FOLDER receives the private apt folder and the unpacked source.
set -euo pipefail

work=$(realpath -m "$1")
output=$(realpath -m "$2")
here=$(dirname "$(realpath "$0")")

command -v tclsh >/dev/null || { echo "$0: tclsh is missing (scripts/install-deps.sh check)" >&2; exit 1; }
"$here/debian-source.sh" sqlite3 "$work/apt" "$work/download"

# The generators (lemon, mkkeywordhash) are host programs: configure for the
# host, then make the amalgamation only.
build="$work/amalgamation-build"
rm -rf "$build"
mkdir -p "$build"
(cd "$build" &&
  "$work/download/source/configure" --disable-tcl --disable-readline >configure.log 2>&1 &&
  make sqlite3.c >make.log 2>&1) || {
  echo "$0: making the amalgamation failed; see $build/configure.log and $build/make.log" >&2
  exit 1
}
mkdir -p "$output"
cp "$build/sqlite3.c" "$build/sqlite3.h" "$output/"
version=$(sed -n 's/^Version: //p' "$work/download"/*.dsc)
echo "SQLite amalgamation from Debian's sqlite3 $version in $output"
