#!/usr/bin/env bash
# "cpack -G DEB" from the build folder: the package's name, its declared dependencies, its files
# (program, data, desktop entry, icon, AppStream metadata), and the unpacked program computing from
# the data it carries.
set -u
selenarc=$1
build=$(dirname "$selenarc")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "ÉCHEC : $*"; failures=$((failures + 1)); }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log"; echo "ÉCHEC : cpack"; exit 1; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
deb="$work/out/selenarc_${version}_amd64.deb"
[ -n "$version" ] && [ -f "$deb" ] || { ls "$work/out"; echo "ÉCHEC : selenarc_${version}_amd64.deb absent"; exit 1; }

info=$(dpkg-deb -I "$deb")
for field in "Package: selenarc" "Architecture: amd64" "Version: $version"; do
    grep -qx " $field" <<< "$info" || fail "champ « $field »"
done
depends=$(sed -n 's/^ Depends: //p' <<< "$info")
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libqt6printsupport6; do
    grep -q "\b$library (>=" <<< "$depends" || fail "dépendance $library non déclarée ($depends)"
done

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in usr/bin/selenarc usr/share/applications/selenarc.desktop \
            usr/share/icons/hicolor/scalable/apps/selenarc.svg \
            usr/share/metainfo/org.selenarc.Selenarc.metainfo.xml usr/share/doc/selenarc/copyright \
            usr/share/selenarc/{sl,so,su,sj,ss}.txt usr/share/selenarc/signs/12_poissons.svg \
            usr/share/selenarc/interpretation/{cycle-de-vie,jupiter,saturne}.txt; do
    grep -qx "./$file" <<< "$contents" || fail "$file absent du paquet"
done
outside=$(grep -v '^\./usr/' <<< "$contents" | grep -vx '\./')
[ -z "$outside" ] || fail "fichiers hors de /usr : $outside"

dpkg-deb -x "$deb" "$work/root"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.selenarc.Selenarc.metainfo.xml" \
    > "$work/appstream.log" 2>&1 || { cat "$work/appstream.log"; fail "appstreamcli validate"; }
grep -q '<launchable type="desktop-id">selenarc.desktop</launchable>' \
    "$work/root/usr/share/metainfo/org.selenarc.Selenarc.metainfo.xml" || fail "lanceur AppStream"
grep -qx 'Exec=selenarc' "$work/root/usr/share/applications/selenarc.desktop" || fail "Exec de l'entrée"

# The unpacked program reads the tables it carries, not those of the source tree. (LeakSanitizer
# cannot run under strace: leaks are looked for by the other tests.)
ASAN_OPTIONS=detect_leaks=0 strace -f -e trace=openat -o "$work/opened" \
    "$work/root/usr/bin/selenarc" --rapport --prenom A --nom B --aujourdhui "06/12/2026 10h30" \
    > "$work/out.json" 2>&1 || { cat "$work/out.json"; fail "le programme du paquet ne calcule pas"; }
grep -q '"BirthLunation":618' "$work/out.json" || fail "rapport du programme du paquet"
grep -q "\"$work/root/usr/share/selenarc/sl.txt\"" "$work/opened" \
    || fail "sl.txt n'est pas lu dans le paquet"
exit $((failures > 0))
