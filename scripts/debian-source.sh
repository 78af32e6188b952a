#!/usr/bin/env bash
# Fetches and unpacks a Debian source package with apt-get source, through a
# private apt folder: deb-src entries made from the machine's own Debian
# archive entries, with lists and cache of its own. The machine's apt
# configuration is read, never changed.
#   scripts/debian-source.sh PACKAGE APT_FOLDER DESTINATION
# Leaves the unpacked (and patched) tree in DESTINATION/source.
set -euo pipefail

package=$1
apt_dir=$(realpath -m "$2")
destination=$(realpath -m "$3")

mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/parts" \
  "$apt_dir/preferences.d"

# The Debian archive entries of the machine, as deb-src: one-line entries of
# sources.list files, and deb822 stanzas of .sources files signed with
# Debian's archive key.
sources="$apt_dir/sources.list"
for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$file" ] || continue
  awk '$1 == "deb" && /debian/ { $1 = "deb-src"; print }' "$file"
done >"$sources"
for file in /etc/apt/sources.list.d/*.sources; do
  [ -f "$file" ] || continue
  awk 'BEGIN { RS = ""; ORS = "\n\n" }
       /(^|\n)Types:[^\n]*[ \t]deb([ \t\n]|$)/ && /debian-archive-keyring/ {
         sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$file"
done >"$apt_dir/parts/debian.sources"
if ! grep -q . "$sources" "$apt_dir/parts/debian.sources"; then
  echo "$0: no Debian archive among this machine's apt sources" >&2
  exit 1
fi

apt_options=(
  -o "Dir::Etc::SourceList=$sources" -o "Dir::Etc::SourceParts=$apt_dir/parts"
  -o "Dir::Etc::PreferencesParts=$apt_dir/preferences.d"
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
  -o "Acquire::Languages=none" -o "Debug::NoLocking=1" -o "APT::Sandbox::User=$(id -un)"
)
apt-get -qq "${apt_options[@]}" update
rm -rf "$destination"
mkdir -p "$destination"
(cd "$destination" && apt-get -qq "${apt_options[@]}" --only-source source "$package" >/dev/null)
tree=$(find "$destination" -mindepth 1 -maxdepth 1 -type d | head -n 1)
mv "$tree" "$destination/source"
