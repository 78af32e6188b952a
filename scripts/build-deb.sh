#!/usr/bin/env bash
# Builds the Debian package of the Linux programs from a build tree:
#   scripts/build-deb.sh BUILD_DIR [VERSION]
# writes BUILD_DIR/package/tavro_<version>_<arch>.deb. The survey and the
# admin tool go to /opt/tavro, the settings to the conffile
# /etc/opt/tavro/Tavro.ini (the survey reads Tavro.ini beside itself, a
# link to it), tavro-admin to /usr/bin too, with its manual page and bash
# completion.
set -euo pipefail
cd "$(dirname "$0")/.."

build=$(realpath "$1")
version=${2:-$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")}
maintainer=${TAVRO_DEB_MAINTAINER:-"Tavro Maintainers <maintainers@tavro.example>"}
arch=$(dpkg --print-architecture)
cmake --build "$build" --target tavro tavro-admin tavro-admin-manual >/dev/null
for file in bin/tavro bin/tavro-admin man/tavro-admin.1; do
  [ -f "$build/$file" ] || { echo "$0: $build/$file was not built (help2man missing?)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root="$work/root"
umask 022

for program in tavro tavro-admin; do
  install -D -m 0755 "$build/bin/$program" "$root/opt/tavro/$program"
  strip --remove-section=.comment --remove-section=.note --strip-unneeded "$root/opt/tavro/$program"
done
install -D -m 0644 examples/linux/Tavro.ini "$root/etc/opt/tavro/Tavro.ini"
ln -s /etc/opt/tavro/Tavro.ini "$root/opt/tavro/Tavro.ini"
mkdir -p "$root/usr/bin"
ln -s /opt/tavro/tavro-admin "$root/usr/bin/tavro-admin"
install -D -m 0644 packaging/linux/tavro.desktop "$root/usr/share/applications/tavro.desktop"
install -D -m 0644 resources/tavro.png "$root/usr/share/icons/hicolor/32x32/apps/tavro.png"
install -D -m 0644 packaging/linux/tavro-admin.bash-completion \
  "$root/usr/share/bash-completion/completions/tavro-admin"
install -D -m 0644 packaging/linux/copyright "$root/usr/share/doc/tavro/copyright"
gzip -9n <packaging/linux/changelog >"$root/usr/share/doc/tavro/changelog.gz"
mkdir -p "$root/usr/share/man/man1"
gzip -9n <"$build/man/tavro-admin.1" >"$root/usr/share/man/man1/tavro-admin.1.gz"
chmod 0644 "$root/usr/share/doc/tavro/changelog.gz" "$root/usr/share/man/man1/tavro-admin.1.gz"

# The libraries the programs link to, as dpkg-shlibdeps names their packages.
mkdir -p "$work/shlibs/debian"
touch "$work/shlibs/debian/control"
depends=$(cd "$work/shlibs" &&
  dpkg-shlibdeps -O -e"$root/opt/tavro/tavro" -e"$root/opt/tavro/tavro-admin" 2>/dev/null |
  sed -n 's/^shlibs:Depends=//p')

mkdir -p "$root/DEBIAN"
installed_size=$(du -sk --apparent-size "$root" | cut -f1)
cat >"$root/DEBIAN/control" <<CONTROL
Package: tavro
Version: $version
Architecture: $arch
Maintainer: $maintainer
Installed-Size: $installed_size
Depends: $depends
Section: admin
Priority: optional
Description: PC inventory survey and its admin tool
 The survey shows one window that asks which applications are installed
 and a few questions, then saves the PC's inventory record as
 <host name>.txt in the folder its settings name. The settings are
 /etc/opt/tavro/Tavro.ini, which the survey reads as /opt/tavro/Tavro.ini.
 .
 tavro-admin checks a settings file before the survey and collects the
 records after it into a CSV table, an HTML report or an SQLite database.
CONTROL
echo /etc/opt/tavro/Tavro.ini >"$root/DEBIAN/conffiles"
(cd "$root" && find . -path ./DEBIAN -prune -o -type f -print | sed 's|^\./||' | sort |
  xargs md5sum >DEBIAN/md5sums)
chmod 0644 "$root/DEBIAN/control" "$root/DEBIAN/conffiles" "$root/DEBIAN/md5sums"

mkdir -p "$build/package"
deb="$build/package/tavro_${version}_${arch}.deb"
dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >/dev/null
echo "$deb"
