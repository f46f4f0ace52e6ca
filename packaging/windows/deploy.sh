#!/bin/sh
# Gathers what the Windows program needs to run into one folder: the program, every DLL it
# loads that Windows does not bring (found by following the import tables, not listed by hand),
# Qt's platform and style plugins and Qt's own translations for the languages Tessary has.
# Usage: deploy.sh PICTURE_EXE DEST_FOLDER LIBRARY_PREFIX...
set -eu
exe=$1
dest=$2
shift 2
triple=x86_64-w64-mingw32
# Where the DLLs may be: the cross-built libraries, then the compiler's and MinGW's runtime.
search=""
for prefix in "$@"; do
    search="$search $prefix/bin"
done
search="$search $(dirname "$($triple-g++-posix -print-libgcc-file-name)") /usr/$triple/lib"
qt_plugins=""
for prefix in "$@"; do
    [ -d "$prefix/plugins/platforms" ] && qt_plugins=$prefix/plugins
done
[ -n "$qt_plugins" ] || { echo "deploy.sh: no Qt plugins under $*" >&2; exit 1; }

rm -rf "$dest"
mkdir -p "$dest/platforms" "$dest/styles" "$dest/translations"
cp "$exe" "$dest/picture.exe"
# Qt looks for its plugins and translations beside the program, wherever it is installed.
printf '[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n' >"$dest/qt.conf"
cp "$qt_plugins/platforms/qwindows.dll" "$dest/platforms/"
cp "$qt_plugins/styles/qwindowsvistastyle.dll" "$dest/styles/"
for language in $(ls "$(dirname "$0")/../../translations" | sed -n 's/^tessary_\(.*\)\.ts$/\1/p'); do
    [ -f "/usr/share/qt6/translations/qtbase_$language.qm" ] &&
        cp "/usr/share/qt6/translations/qtbase_$language.qm" "$dest/translations/"
done

# Follows every import, once each; DLLs found nowhere are the system's own.
pending="$dest/picture.exe $dest/platforms/qwindows.dll $dest/styles/qwindowsvistastyle.dll"
while [ -n "$pending" ]; do
    next=""
    for file in $pending; do
        for dll in $($triple-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
            [ -e "$dest/$dll" ] && continue
            for dir in $search; do
                if [ -f "$dir/$dll" ]; then
                    cp "$dir/$dll" "$dest/$dll"
                    next="$next $dest/$dll"
                    break
                fi
            done
        done
    done
    pending=$next
done
# Debug symbols make up most of the size and are of no use to a user.
find "$dest" -name '*.dll' -o -name '*.exe' | xargs $triple-strip --strip-unneeded
