#!/usr/bin/env bash
# Drives the survey in <folder> with xdotool on the current X display; used
# by scripts/check.d/16-linux-window-x11.sh inside xvfb-run.
set -euo pipefail
work=$1
fail() { echo "x11: $*" >&2; exit 1; }

start() {
  "$work/tavro" &
  pid=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quarnelo$' | head -1)
  [ -n "$window" ] || fail "no survey window appeared"
  xdotool windowfocus --sync "$window"
}

# Clicks a point of the survey window's client area.
click_at() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
click_ok() { click_at 548 44; }
click_cancel() { click_at 548 76; }

finish() {
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the survey is still running after $1"
  wait "$pid" || fail "the survey ended with status $? after $1"
}

# 1. The window maps at 615 x 291; OK while the save folder (<folder>/records)
#    is missing shows a message box and leaves the window; Cancel writes nothing.
start
geometry=$(xwininfo -id "$window")
grep -q 'Width: 615' <<<"$geometry" || fail "window width: $geometry"
grep -q 'Height: 291' <<<"$geometry" || fail "window height: $geometry"
grep -q 'Map State: IsViewable' <<<"$geometry" || fail "window not viewable"
# Fixed size, and a frame with no minimise or maximise button (Motif
# decoration bits 0x20 and 0x40) for whatever window manager runs.
hints=$(xprop -id "$window" WM_NORMAL_HINTS _MOTIF_WM_HINTS)
grep -q 'minimum size: 615 by 291' <<<"$hints" || fail "window can shrink: $hints"
grep -q 'maximum size: 615 by 291' <<<"$hints" || fail "window can grow: $hints"
decorations=$(sed -n 's/^_MOTIF_WM_HINTS.* = \([^,]*\), \([^,]*\), \([^,]*\),.*/\3/p' <<<"$hints")
[ -n "$decorations" ] && (((decorations & 0x60) == 0)) || fail "minimise or maximise offered: $hints"
click_ok
sleep 0.5
[ "$(xdotool search --onlyvisible --name '^Quarnelo$' | wc -l)" -eq 2 ] ||
  fail "no message box after a failed save"
xdotool key Return  # the message box's OK
sleep 0.3
kill -0 "$pid" || fail "a failed save ended the survey"
xdotool windowfocus --sync "$window"
click_cancel
finish Cancel
[ ! -e "$work/records" ] || fail "Cancel wrote something"

# 2. Keyboard and mouse: the focus starts on slot 1, ticked as found; Space
#    unticks it, Tab and Space tick slot 2, Tab reaches the Room box; Enter and
#    Esc there press nothing; OK by mouse saves and ends the survey.
mkdir "$work/records"
start
xdotool key space Tab space Tab
xdotool type --delay 20 'Room 4, east'
xdotool key Return Escape
sleep 0.3
kill -0 "$pid" || fail "Enter or Esc in a text box ended the survey"
click_ok
finish OK
record=$(cat "$work"/records/*.txt)
expected='^[^,]+,[0-9.]+,[0-9]+,"Room 4, east",,,,,,Installed,,,,,,,,'$'\r''$'
[[ $record =~ $expected ]] || fail "unexpected record: $record"
echo "x11: window mapped at 615 x 291; keyboard, mouse, failed save, Cancel and OK behave"
