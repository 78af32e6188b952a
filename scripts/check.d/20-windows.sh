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
# 32-bit programs cannot run here (64-bit Wine only): the 64-bit build runs the tests.
# The virtual display outlives Wine's own processes: wait for them inside it.
WINEPREFIX="$PWD/build/windows-x64/wine-prefix" xvfb-run -a -s "-screen 0 1280x1024x24" \
  bash -c 'ctest --preset windows-x64; status=$?; wineserver -w; exit $status'
echo "Screenshots of the survey window: build/windows-x64/test-output/survey-window{,-192dpi}.png"

cpack --preset windows-x86 >/dev/null
cpack --preset windows-x64 >/dev/null
ls build/windows-x86/package/*.zip build/windows-x64/package/*.zip
