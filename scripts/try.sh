#!/usr/bin/env bash
# Installs what is missing, builds the Linux survey and opens it with the
# example settings beside the program, saving into build/survey/records.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh run
cmake --preset survey >/dev/null
cmake --build --preset survey --target tavro

bin=build/survey/bin
records="$PWD/build/survey/records"
mkdir -p "$records"
sed -e "s|^SavePath=.*|SavePath=$records|" -e "s|^PathString=.*|PathString=${#records}|" \
  examples/linux/Tavro.ini >"$bin/Tavro.ini"

echo "Opening the survey; on OK the record is saved in $records"
exec "$bin/tavro"
