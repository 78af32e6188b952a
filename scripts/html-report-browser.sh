#!/usr/bin/env bash
# The `collect --html` page of a fleet in a real browser: makes 100,000
# record files (and a few that are not records), collects them with
# tavro-admin, then opens the page in headless Chromium. Fails when the page
# is 15 MB or more, is wider than a 1,280 px window, lets the header or the
# host column scroll out of view, or marks cells of no installed application; reports how long it took to load and
# lay out (and notes when that is 3 s or more). Keeps a screenshot in the
# build folder's screenshots/, and the records and the page in html-report/.
#
#   scripts/html-report-browser.sh [BUILD-FOLDER] [PCS]    (default build/linux, 100000)
set -euo pipefail
cd "$(dirname "$0")/.."

build=$(realpath "${1:-build/linux}")
admin=$build/bin/tavro-admin
out=$build/html-report
screenshot=$build/screenshots/html-report-1280.png
pcs=${2:-100000}
max_bytes=$((15 * 1000 * 1000))
max_ms=3000
screen_width=1280

if ! command -v chromium >/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends chromium </dev/null >/dev/null
fi

mkdir -p "$out" "$(dirname "$screenshot")"
rm -rf "$out/records" "$out/browser-profile"
trap 'rm -rf "$out/records" "$out/browser-profile"' EXIT  # the page stays
phase=$(date +%s%N)
elapsed_ms() { echo $((($(date +%s%N) - phase) / 1000000)); }
python3 - "$out" "$pcs" <<'EOF'
import os, random, sys
out, pcs = sys.argv[1], int(sys.argv[2])
random.seed(7)
records = os.path.join(out, "records")
os.makedirs(records)
rooms = ["Room %d" % n for n in range(1, 60)] + ["Lab", "Library, 2nd floor"]
people = ["alice", "bob", "carol", "dave", "erin", "frank", "grace", "heidi"]
memory = [4, 8, 8, 16, 16, 16, 32, 64]
long_answer = "The screen flickers after lunch and the keyboard misses the letter e. " * 2
for pc in range(pcs):
    gib = random.choice(memory)
    fields = ["PC-%06d" % pc, "10.%d.%d.%d" % (pc >> 16, (pc >> 8) & 255, pc & 255),
              str(gib * 2**30 - random.randrange(0, 2**27)),
              random.choice(rooms), random.choice(people),
              long_answer if pc % 997 == 0 else "", "", ""]
    fields += ["Installed" if random.random() < share else ""
               for share in (0.95, 0.6, 0.3, 0.0, 0.5, 0.0, 0.0, 0.0, 0.0, 0.0)]
    line = ",".join('"%s"' % f if "," in f else f for f in fields)
    with open(os.path.join(records, "PC-%06d.txt" % pc), "w", newline="") as f:
        f.write(line + "\r\n")
for n in range(12):
    open(os.path.join(records, "broken-%02d.txt" % n), "w").write("" if n % 3 else "a,b\r\n")
with open(os.path.join(out, "Tavro.ini"), "w") as f:
    f.write("[Application]\nName1=Firefox\nName2=LibreOffice Writer, Calc and Impress\n"
            "Name3=Git\nName4=Thunderbird\nName5=7-Zip\n"
            "[Status]\nItem1=Room\nItem2=User\nItem3=Problems\n")
EOF

make_ms=$(elapsed_ms)
phase=$(date +%s%N)
status=0
"$admin" collect "$out/records" --ini "$out/Tavro.ini" --html "$out/fleet.html" \
  -o "$out/fleet.csv" 2>"$out/collect.log" || status=$?
if [ "$status" -ne 1 ]; then  # 1: some files were left out, as they should be
  cat "$out/collect.log" >&2
  echo "tavro-admin collect exited with $status" >&2
  exit 1
fi
collect_ms=$(elapsed_ms)

# A page that loads the report in a frame of the screen's width, as soon as
# it has loaded measures how wide it lays out and how long that took, and
# writes the figures into itself for --dump-dom.
cat >"$out/measure.html" <<EOF
<!DOCTYPE html>
<iframe id="report" style="width:${screen_width}px;height:900px;border:0"></iframe>
<pre id="figures"></pre>
<script>
const frame = document.getElementById("report");
const start = performance.now();
frame.onload = () => {
  const page = frame.contentDocument.documentElement;
  const width = page.scrollWidth;  // forces the layout
  const ms = Math.round(performance.now() - start);
  // Far down and, in a narrow window, scrolled sideways: the header and the
  // host column stay in view.
  const view = frame.contentWindow;
  const doc = frame.contentDocument;
  const rows = doc.querySelectorAll("tbody tr");
  frame.style.width = "700px";
  const row = rows[Math.floor(rows.length / 2)];
  row.scrollIntoView();
  view.scrollBy(400, -300);
  const sticky = view.scrollX > 0 && row.cells[0].getBoundingClientRect().left === 0 &&
                 doc.querySelector(".head").getBoundingClientRect().top === 0;
  // Installed applications are green, and only they.
  const marked = (cell) => getComputedStyle(cell).backgroundColor === "rgb(207, 232, 200)";
  const cells = [...doc.querySelector(".rows").querySelectorAll("td")];
  const green = cells.filter(marked).length === cells.filter((cell) => cell.textContent === "+")
    .length && cells.filter((cell) => cell.textContent === "+").every(marked);
  document.getElementById("figures").textContent = "FIGURES ms=" + ms + " width=" + width +
    " sticky=" + sticky + " green=" + green + " rows=" + rows.length;
};
frame.src = "fleet.html";
</script>
EOF

chromium_flags=(--headless --no-sandbox --disable-gpu --disable-quic --no-first-run
  --disable-background-networking --disable-component-update --disable-sync
  --user-data-dir="$out/browser-profile" --hide-scrollbars)

bytes=$(stat -c %s "$out/fleet.html")
figures=$(chromium "${chromium_flags[@]}" --allow-file-access-from-files \
  --dump-dom "file://$out/measure.html" 2>/dev/null | grep -o 'FIGURES ms=[0-9][^<]*' | head -n 1)
rm -rf "$out/browser-profile"
started=$(date +%s%N)
chromium "${chromium_flags[@]}" --window-size="$screen_width,900" \
  --screenshot="$screenshot" "file://$out/fleet.html" 2>/dev/null
shot_ms=$((($(date +%s%N) - started) / 1000000))
rm -rf "$out/browser-profile"

# One figure of the line: "figure width" gives what follows " width=".
figure() {
  local value=" ${figures#FIGURES }"
  value=${value##* "$1"=}
  echo "${value%% *}"
}
ms=$(figure ms)
width=$(figure width)
rows=$(figure rows)
sticky=$(figure sticky)
green=$(figure green)
echo "html report: $pcs record files made in $make_ms ms, collected in $collect_ms ms;" \
  "the page: $bytes bytes; loaded and laid out in $ms ms, $width px wide" \
  "in a $screen_width px window; Chromium start to screenshot $shot_ms ms;" \
  "screenshot ${screenshot#"$PWD"/}"
failed=0
[ "$rows" = "$pcs" ] || { echo "the page shows $rows rows, not $pcs" >&2; failed=1; }
[ "$bytes" -lt "$max_bytes" ] || { echo "the page is not under $max_bytes bytes" >&2; failed=1; }
[ "$green" = true ] || { echo "cells of no installed application are green" >&2; failed=1; }
[ "$sticky" = true ] || { echo "the header or the host column scrolls out of view" >&2; failed=1; }
# A figure, not a pass or fail: the machine may be busy with other work.
[ "$ms" -lt "$max_ms" ] || echo "note: the page took $ms ms, not under $max_ms" >&2
[ "$width" -le "$screen_width" ] || { echo "the page is wider than the window" >&2; failed=1; }
exit "$failed"
