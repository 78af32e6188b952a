#!/usr/bin/env bash
# Makes the manual page of tavro-admin from its own help with help2man:
#   scripts/make-manual-page.sh TAVRO_ADMIN OUTPUT.1
# The page holds the program's help, then each command's, then the files.
set -euo pipefail
program=$(realpath "$1")
output=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Help text as roff: kept as laid out, backslashes and leading dots escaped.
as_roff() {
  echo ".nf"
  sed -e 's/\\/\\e/g' -e "s/^\([.']\)/\\\\\&\1/"
  echo ".fi"
}

{
  for command in check collect; do
    echo "[${command^^} COMMAND]"
    "$program" "$command" --help | as_roff
  done
  cat <<'TEXT'
[FILES]
.TP
.I /etc/opt/tavro/Tavro.ini
The survey's settings (a conffile of the package), read by
.I /opt/tavro/tavro
through the link
.IR /opt/tavro/Tavro.ini .
Check it with
.B tavro-admin check /opt/tavro/Tavro.ini
after each change.
.TP
.I <save folder>/<host name>.txt
One PC's inventory record, which
.B tavro-admin collect
reads.
[SEE ALSO]
The README of Tavro, in its repository.
TEXT
} >"$work/include.h2m"

# The first line of --version only: "tavro-admin 1.0.0".
version=$("$program" --version | sed -n '1s/^tavro-admin //p')
help2man --no-info --no-discard-stderr --section 1 --version-string "$version" \
  --name "check the settings of the Tavro PC survey and collect its records" \
  --include "$work/include.h2m" --output "$output" "$program"
