# The Windows programs, cross-built with mingw-w64: the 32-bit Tavro.exe (the
# program's own platform) built and its PE headers checked; the 64-bit build
# with every test run under Wine; a zip of each for admins.
set -euo pipefail

# PE format, GUI subsystem, and DLL imports from Windows itself only: a
# statically linked program needs no C++ runtime or thread library beside it.
check_exe() {
  local exe=$1 objdump=$2 format=$3 subsystem=${4:-2}
  local headers
  headers=$("$objdump" -p "$exe")
  grep -q "file format $format" <<<"$headers" || { echo "$exe: not $format" >&2; return 1; }
  grep -Eq "^Subsystem[[:space:]]+0000000$subsystem" <<<"$headers" ||
    { echo "$exe: not of subsystem $subsystem (2: GUI, 3: console)" >&2; return 1; }
  local dll foreign=0
  for dll in $(awk '/DLL Name:/ {print $3}' <<<"$headers"); do
    case "${dll,,}" in
      kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | advapi32.dll | shell32.dll | \
        ws2_32.dll | iphlpapi.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-*.dll) ;;
      *) echo "$exe imports $dll, which Windows does not ship" >&2; foreign=1 ;;
    esac
  done
  return $foreign
}

cmake --preset windows-x86 >/dev/null
cmake --build --preset windows-x86 --target Tavro tavro-admin
check_exe build/windows-x86/bin/Tavro.exe i686-w64-mingw32-objdump pei-i386
echo "build/windows-x86/bin/Tavro.exe: PE32, GUI subsystem, Windows DLLs only"
size=$(stat -c %s build/windows-x86/bin/Tavro.exe)
if [ "$size" -ge $((1024 * 1024)) ]; then
  echo "build/windows-x86/bin/Tavro.exe is $size bytes: not under 1 MiB" >&2
  exit 1
fi
echo "build/windows-x86/bin/Tavro.exe: $size bytes"
check_exe build/windows-x86/bin/tavro-admin.exe i686-w64-mingw32-objdump pei-i386 3
echo "build/windows-x86/bin/tavro-admin.exe: PE32, console subsystem, Windows DLLs only"

cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64
check_exe build/windows-x64/bin/Tavro.exe x86_64-w64-mingw32-objdump pei-x86-64
check_exe build/windows-x64/bin/tavro-admin.exe x86_64-w64-mingw32-objdump pei-x86-64 3
echo "build/windows-x64/bin/tavro-admin.exe: PE32+, console subsystem, Windows DLLs only"
# 32-bit programs cannot run here (64-bit Wine only): the 64-bit build runs the tests.
# The virtual display outlives Wine's own processes: wait for them inside it.
WINEPREFIX="$PWD/build/windows-x64/wine-prefix" xvfb-run -a -s "-screen 0 1280x1024x24" \
  bash -c 'ctest --preset windows-x64; status=$?; wineserver -w; exit $status'
echo "Screenshots of the survey window: build/windows-x64/test-output/survey-window{,-192dpi}.png"

# Notepad of Windows 7 shows LF-only text as one line.
crlf_only() {
  if LC_ALL=C grep -q $'[^\r]$\|^$' "$1" || [ -n "$(tail -c 1 "$1")" ]; then
    echo "$1: not every line ends with CR LF" >&2
    return 1
  fi
}
crlf_only examples/windows/DEPLOYMENT.txt

cpack --preset windows-x86 >/dev/null
cpack --preset windows-x64 >/dev/null
ls build/windows-x86/package/*.zip build/windows-x64/package/*.zip

# The zip alone: what it holds, and its tavro-admin.exe storing records in a
# database as on Linux.
zip_dir=$(mktemp -d)
trap 'rm -rf "$zip_dir"' EXIT
python3 -m zipfile -e build/windows-x64/package/*.zip "$zip_dir"
unpacked=$(find "$zip_dir" -name Tavro.exe -printf '%h')
for file in Tavro.exe tavro-admin.exe Tavro.ini DEPLOYMENT.txt README.txt; do
  [ -f "$unpacked/$file" ] || { echo "The win64 zip has no $file" >&2; exit 1; }
done
crlf_only "$unpacked/README.txt"
mkdir "$zip_dir/records"
printf 'PC-1,10.0.0.1,1024,Room 1,,,,,Installed,,,,,,,,,\r\n' >"$zip_dir/records/PC-1.txt"
cmake/run-under-wine.sh build/windows-x64/wine-prefix "$unpacked/tavro-admin.exe" collect \
  "$zip_dir/records" --db "$zip_dir/fleet.sqlite" >/dev/null 2>"$zip_dir/collect.err" ||
  { cat "$zip_dir/collect.err" >&2; exit 1; }
python3 - "$zip_dir/fleet.sqlite" <<'PY'
import sqlite3, sys
rows = sqlite3.connect(sys.argv[1]).execute(
    "SELECT host, memory_bytes, answer1, application1 FROM latest_surveys").fetchall()
assert rows == [("PC-1", 1024, "Room 1", 1)], rows
PY
echo "The win64 zip's tavro-admin.exe stores records in an SQLite database"
