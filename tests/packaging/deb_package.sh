#!/bin/sh
# cpack -G DEB: the package holds the program, its desktop entry, metainfo and icons, takes its
# dependencies from dpkg-shlibdeps, carries one version throughout, is hardened as Debian builds
# programs, and lintian finds no error in it (its full output is shown).
# The package is left in OUT_DIR for deb_install.sh.
# Usage: deb_package.sh BUILD_DIR OUT_DIR APP_ID
set -u
build=$1
out=$2
id=$3
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
rm -rf "$out"
mkdir -p "$out"
chmod 755 "$out" # apt reads the package as its own unprivileged user
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log" >&2; fail "cpack -G DEB"; }
set -- "$out"/tessary_*.deb
[ -f "$1" ] || fail "no tessary_*.deb in $out"
deb=$1

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# qt6-wayland is loaded at run time, so only the packaging can name it.
for library in libc6 libstdc++6 libqt6widgets6 libqt6dbus6 libqt6network6 libjpeg62-turbo libglib2.0-0 libxcb1 \
    qt6-wayland; do
    echo "$depends" | grep -q "\\b$library\\b" || fail "Depends lacks $library"
done
contents=$(dpkg-deb -c "$deb")
for file in ./usr/bin/tessary ./usr/share/applications/$id.desktop \
    ./usr/share/metainfo/$id.metainfo.xml ./usr/share/icons/hicolor/scalable/apps/$id.svg \
    ./usr/share/icons/hicolor/48x48/apps/$id.png ./usr/share/doc/tessary/copyright; do
    echo "$contents" | grep -q " $file\$" || fail "the package lacks $file"
done
echo "$contents" | grep -v ' root/root ' | grep -q . && fail "files not owned by root"

# One version everywhere: the package's, the newest changelog entry's, the metainfo's newest
# release, the manual page's.
tree="$out/tree"
dpkg-deb -x "$deb" "$tree" || fail "dpkg-deb -x"
version=$(dpkg-deb -f "$deb" Version)
echo "Version: $version"
doc="$tree/usr/share/doc/tessary"
[ "$(gzip -dc "$doc/changelog.gz" | sed -n '1s/^tessary (\([^)]*\)).*/\1/p')" = "$version" ] ||
    fail "the changelog's newest entry is not $version"
grep -q "<release version=\"$version\"" "$tree/usr/share/metainfo/$id.metainfo.xml" ||
    fail "the metainfo's release is not $version"
gzip -dc "$tree/usr/share/man/man1/tessary.1.gz" | grep -q "^\.TH TESSARY 1 [^ ]* \"Tessary $version\"" ||
    fail "the manual page is not of $version"
grep -q '^License: GPL-3.0-or-later$' "$doc/copyright" || fail "the copyright file names another licence"

# Built as Debian builds programs: PIE, read-only relocations bound at start, a stack
# protector and checked string functions.
program="$tree/usr/bin/tessary"
readelf -h "$program" | grep -q 'Type: *DYN' || fail "the program is not position-independent"
readelf -lW "$program" | grep -q GNU_RELRO || fail "the program has no read-only relocations"
readelf -dW "$program" | grep -q 'FLAGS.*BIND_NOW\|FLAGS_1.*NOW' || fail "the program binds lazily"
symbols=$(readelf -sW --dyn-syms "$program")
echo "$symbols" | grep -q '__stack_chk_fail' || fail "the program has no stack protector"
echo "$symbols" | grep -q '__[a-z]*_chk@' || fail "the program calls no checked (fortified) function"

lintian --tag-display-limit 0 --display-info "$deb" >"$out/lintian.log" 2>&1
echo "lintian:"
sed 's/^/  /' "$out/lintian.log"
grep -q '^E: ' "$out/lintian.log" && fail "lintian reports errors"
echo PASS
