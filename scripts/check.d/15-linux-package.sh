# The Debian package of the Linux programs, built from the CI build: what it
# holds, lintian, and on this machine (CI runs as root) install, the
# installed survey reading its conffile, upgrade to a higher version keeping
# the edited settings, remove and purge.
set -euo pipefail
build=build/linux-ci
rm -rf "$build/package"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=$(scripts/build-deb.sh "$build")
upgrade=$(scripts/build-deb.sh "$build" "$version+1")
echo "Built ${deb##*/} and ${upgrade##*/}"

contents=$(dpkg-deb -c "$deb" | awk '{print $6 ($7 ? " " $7 " " $8 : "")}' | grep -v '/$' | sort)
expected="./etc/opt/tavro/Tavro.ini
./opt/tavro/Tavro.ini -> /etc/opt/tavro/Tavro.ini
./opt/tavro/tavro
./opt/tavro/tavro-admin
./usr/bin/tavro-admin -> /opt/tavro/tavro-admin
./usr/share/applications/tavro.desktop
./usr/share/bash-completion/completions/tavro-admin
./usr/share/doc/tavro/changelog.gz
./usr/share/doc/tavro/copyright
./usr/share/icons/hicolor/32x32/apps/tavro.png
./usr/share/man/man1/tavro-admin.1.gz"
if [ "$contents" != "$expected" ]; then
  echo "The package holds unexpected files:" >&2
  diff <(echo "$expected") <(echo "$contents") >&2
  exit 1
fi
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6 libsqlite3-0; do
  grep -q "\b$library\b" <<<"$depends" ||
    { echo "The package does not depend on $library: $depends" >&2; exit 1; }
done
[ "$(dpkg-deb -I "$deb" conffiles)" = /etc/opt/tavro/Tavro.ini ] ||
  { echo "/etc/opt/tavro/Tavro.ini is not a conffile" >&2; exit 1; }

# Debian's policy places add-on packages in /opt and /etc/opt; lintian says
# so of every file there, which is all this package is.
lintian --fail-on error,warning --suppress-tags dir-or-file-in-opt,dir-or-file-in-etc-opt \
  --tag-display-limit 0 "$deb" 2> >(grep -v "running with root privileges" >&2)
echo "lintian: no errors or warnings"

# The rest installs the package on this machine.
if [ "$(id -u)" -ne 0 ]; then
  echo "Not root: install, upgrade, remove and purge not tried"
  exit 0
fi
if dpkg-query -W -f='${Status}' tavro 2>/dev/null | grep -q installed; then
  echo "A tavro package is installed here already: install, upgrade and purge not tried" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'dpkg -P tavro >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
fail() { echo "package: $*" >&2; exit 1; }
installed_version() { dpkg-query -W -f='${Version}' tavro; }
# dpkg, its notes (such as "/opt not empty, not removed") shown only if it fails.
quiet_dpkg() {
  local output
  output=$(dpkg "$@" 2>&1 </dev/null) || { echo "$output" >&2; fail "dpkg $* failed"; }
}

# The installed survey, started as users start it, with the settings edited
# to save into $work/records: OK there proves it read /etc/opt/tavro/Tavro.ini.
survey_saves() {
  rm -rf "$work/records"
  mkdir -p "$work/records" "$work/runtime"
  chmod 700 "$work/runtime"
  XDG_RUNTIME_DIR="$work/runtime" xvfb-run -a -s "-screen 0 800x600x24" bash -c '
    /opt/tavro/tavro & pid=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "^Quarnelo$" | head -1)
    [ -n "$window" ] || { kill $pid; exit 1; }
    xdotool windowfocus --sync "$window" mousemove --window "$window" 548 44 click 1
    wait $pid'
  ls "$work/records"/*.txt >/dev/null 2>&1 || fail "the installed survey saved no record in $work/records"
}

quiet_dpkg -i "$deb"
[ "$(installed_version)" = "$version" ] || fail "version $(installed_version) installed"
[ "$(readlink /opt/tavro/Tavro.ini)" = /etc/opt/tavro/Tavro.ini ] || fail "no /opt/tavro/Tavro.ini link"
tavro-admin --version | grep -q "^tavro-admin $version$" || fail "tavro-admin --version"
check=$(tavro-admin check /opt/tavro/Tavro.ini || true)
grep -q 'Name1="Bash shell"' <<<"$check" || fail "tavro-admin check does not read the installed settings"
completion=$(bash -c 'source /usr/share/bash-completion/completions/tavro-admin
  COMP_WORDS=(tavro-admin col); COMP_CWORD=1; _tavro_admin; echo "${COMPREPLY[*]}"')
[ "$completion" = collect ] || fail "bash completion of \"col\" gives \"$completion\""
zcat /usr/share/man/man1/tavro-admin.1.gz | grep -q '^\.SH "COLLECT COMMAND"' ||
  fail "the manual page has no section on collect"

sed -i -e "s|^SavePath=.*|SavePath=$work/records|" \
  -e "s|^PathString=.*|PathString=$((${#work} + 8))|" /etc/opt/tavro/Tavro.ini
edited=$(md5sum </etc/opt/tavro/Tavro.ini)
survey_saves
echo "Installed $version; the survey saves where /etc/opt/tavro/Tavro.ini says"

quiet_dpkg -i "$upgrade"
[ "$(installed_version)" = "$version+1" ] || fail "upgrade left $(installed_version)"
[ "$(md5sum </etc/opt/tavro/Tavro.ini)" = "$edited" ] || fail "the upgrade changed the edited settings"
survey_saves
echo "Upgraded to $version+1; the edited settings are kept and read"

quiet_dpkg -r tavro
if [ -e /opt/tavro/tavro ] || [ -e /usr/bin/tavro-admin ]; then fail "remove left the programs"; fi
[ "$(md5sum </etc/opt/tavro/Tavro.ini)" = "$edited" ] || fail "remove did not keep the edited settings"
quiet_dpkg -P tavro
if [ -e /etc/opt/tavro ] || [ -e /opt/tavro ]; then fail "purge left /etc/opt/tavro or /opt/tavro"; fi
echo "Removed (settings kept), then purged (nothing left)"
