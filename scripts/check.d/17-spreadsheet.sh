# The CSV table of `tavro-admin collect --bom` opened by LibreOffice Calc as
# an admin would open it (headless, no import options): every non-ASCII
# answer intact, and no answer that looks like a formula evaluated.
set -euo pipefail
admin=${TAVRO_ADMIN:-build/linux-ci/bin/tavro-admin}
[ -x "$admin" ] || { cmake --preset linux-ci >/dev/null && cmake --build --preset linux-ci --target tavro-admin; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/records"
# A Linux PC (UTF-8), a PC whose text did not fit its code page (UTF-8 with
# BOM) and a 1252 PC (B\xFCro is "Büro" there).
printf 'pc-1,10.0.0.1,1024,Gerät Łódź 経理,=1+1,,,,Installed,,,,,,,,,\r\n' >"$work/records/pc-1.txt"
printf '\xEF\xBB\xBFpc-2,10.0.0.2,-1,Привет 👋,"=HYPERLINK(""http://x"",""y"")",,,,,,,,,,,,,\r\n' \
  >"$work/records/pc-2.txt"
printf 'pc-3,10.0.0.3,2048,B\xFCro,@SUM(1;2),+cmd,-2+3,,,,,,,,,,,\r\n' >"$work/records/pc-3.txt"
"$admin" collect "$work/records" --bom -o "$work/fleet.csv" 2>/dev/null
# Opened twice: as the admin double-clicks it (no import options), and with
# the character set named (filter options 44,34,76: comma, quote, UTF-8).
# LibreOffice 7.4 (Debian 12) takes a CSV without options as Windows-1252
# even after a UTF-8 byte-order mark, so only the second can show the
# non-ASCII answers intact; the first must still evaluate no formula.
convert() {
  mkdir -p "$work/$1"
  soffice -env:UserInstallation="file://$work/profile" --headless ${2:+--infilter="$2"} \
    --convert-to xlsx --outdir "$work/$1" "$work/fleet.csv" >/dev/null 2>&1
}
convert plain
convert utf8 "Text - txt - csv (StarCalc):44,34,76"
python3 - "$work/plain/fleet.xlsx" "$work/utf8/fleet.xlsx" <<'PY'
import re, sys, zipfile

def cells(path):
    book = zipfile.ZipFile(path)
    sheet = book.read("xl/worksheets/sheet1.xml").decode()
    strings = book.read("xl/sharedStrings.xml").decode()
    texts = [re.sub(r"<[^>]+>", "", t).replace("&quot;", '"').replace("&apos;", "'")
             .replace("&lt;", "<").replace("&gt;", ">").replace("&amp;", "&")
             for t in re.findall(r"<si>(.*?)</si>", strings, re.S)]
    return texts, "<f>" in sheet or "<f " in sheet

guarded = ["'=1+1", "'=HYPERLINK(\"http://x\",\"y\")", "'@SUM(1;2)", "'+cmd", "'-2+3"]
non_ascii = ["Gerät Łódź 経理", "Привет 👋", "Büro"]
problems = []
for path, wanted in [(sys.argv[1], guarded), (sys.argv[2], guarded + non_ascii)]:
    texts, formulas = cells(path)
    if formulas:
        problems.append(path + ": a cell holds a formula")
    problems += [path + ": no cell reads " + repr(w) for w in wanted if w not in texts]
    if path == sys.argv[1] and not all(w in texts for w in non_ascii):
        print("note: without import options LibreOffice did not read the CSV as UTF-8")
for problem in problems:
    print("spreadsheet check:", problem, file=sys.stderr)
if not problems:
    print("LibreOffice Calc: no formula evaluated; every answer intact when read as UTF-8")
sys.exit(1 if problems else 0)
PY
