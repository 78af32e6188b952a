# The Debian package of the Linux survey: built with cpack from the CI build,
# then checked for what it installs and what it declares it needs.
set -euo pipefail
build=build/linux-ci
rm -rf "$build/package"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/package/tavro_*.deb)
echo "Built ${deb#"$build"/}"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sort)
expected=$'./opt/tavro/Tavro.ini.example\n./opt/tavro/tavro'
if [ "$contents" != "$expected" ]; then
  echo "The package holds unexpected files:" >&2
  echo "$contents" >&2
  exit 1
fi

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6; do
  if ! grep -q "\b$library\b" <<<"$depends"; then
    echo "The package does not depend on $library: $depends" >&2
    exit 1
  fi
done

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
cmp examples/linux/Tavro.ini "$unpacked/opt/tavro/Tavro.ini.example"
[ -x "$unpacked/opt/tavro/tavro" ]
echo "Package contents and dependencies are as expected"
