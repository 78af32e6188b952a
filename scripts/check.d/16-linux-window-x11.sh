# The built survey on a real X server (Xvfb): the window maps at its size, and
# the keyboard and mouse drive it to a saved record, a failed save and Cancel.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp build/linux-ci/bin/tavro "$work/"
cat >"$work/Tavro.ini" <<INI
[Application]
EnableA1=1
Name1=Tavro itself
Path1=$work/tavro
File1=TAVRO
String1=5
EnableA2=1
Name2=Nothing
Path2=$work/nothing
File2=nothing
String2=7
[Status]
EnableI1=1
Item1=Room
[Save]
SavePath=$work/records
PathString=$((${#work} + 8))
INI
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
xvfb-run -a -s "-screen 0 800x600x24" bash scripts/drive-window-x11.sh "$work"
