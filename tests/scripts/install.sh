#!/usr/bin/env bash
# "cmake --install" into a scratch prefix: the installed program finds its data there (not in the
# source tree), and the desktop entry and icon are where a Linux desktop looks.
set -u
selenarc=$1
build=$(dirname "$selenarc")
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" > /dev/null || { echo "ÉCHEC : cmake --install"; exit 1; }
failures=0
for file in bin/selenarc share/selenarc/sl.txt share/selenarc/signs/01_belier.svg \
            share/selenarc/interpretation/jupiter.txt share/applications/selenarc.desktop \
            share/icons/hicolor/scalable/apps/selenarc.svg; do
    [ -e "$prefix/$file" ] || { echo "ÉCHEC : $file absent"; failures=$((failures + 1)); }
done

# The installed copy must run from its own data: hide the build's data by copying the binary alone.
"$prefix/bin/selenarc" --rapport --prenom A --nom B --aujourdhui "06/12/2026 10h30" > "$prefix/out.json" 2>&1 \
    || { echo "ÉCHEC : le programme installé ne calcule pas"; cat "$prefix/out.json"; failures=$((failures + 1)); }
grep -q '"BirthLunation":618' "$prefix/out.json" || { echo "ÉCHEC : rapport"; failures=$((failures + 1)); }
exit $((failures > 0))
