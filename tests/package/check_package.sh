#!/usr/bin/env bash
# Checks a Debian package as an installation would see it: its name, the dependencies the libraries do not
# state, the exact file list with modes and owners, stripped programs, the menu entry and its software
# centre entry, and the launcher setting up a work folder from the unpacked tree.
#   check_package.sh VERSION PACKAGE.deb   checks that package
#   check_package.sh VERSION BUILD_DIR     first makes the package from that (built) build folder
set -euo pipefail

version=$1
deb=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

if [ -d "$deb" ]; then
    # Under the tightest umask: the package's folders must not depend on the packer's.
    if ! (umask 077 && "${CPACK:-cpack}" -G DEB --config "$deb/CPackConfig.cmake" -B "$scratch/cpack") \
        >"$scratch/cpack.log" 2>&1; then
        cat "$scratch/cpack.log" >&2
        echo "FAIL: cpack could not make the package in $deb (are gavora and gavora-demo-server built?)" >&2
        exit 1
    fi
    deb=$scratch/cpack/gavora_${version}_amd64.deb
    [ -f "$deb" ] || { echo "FAIL: cpack made no gavora_${version}_amd64.deb: $(ls "$scratch/cpack")" >&2; exit 1; }
fi

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

[ "$(basename "$deb")" = "gavora_${version}_amd64.deb" ] || fail "file name $(basename "$deb")"

# The names in Depends, without versions or alternatives.
depends=$(dpkg-deb --field "$deb" Depends | tr ',|' '\n' | sed -e 's/(.*)//' -e 's/[[:space:]]//g' | sort -u)
for p in libqt6multimedia6 libqt6webenginewidgets6 fonts-thai-tlwg; do
    grep -qx "$p" <<<"$depends" || fail "Depends lacks $p: $depends"
done
[ "$(dpkg-deb --field "$deb" Recommends)" = qt6-wayland ] || fail "Recommends is not qt6-wayland"

# Folders and programs 0755, other files 0644, everything owned by root.
modes=$(dpkg-deb --contents "$deb" | awk '{
    want = $1 ~ /^d/ ? "drwxr-xr-x" : $6 ~ /^\.\/usr\/bin\// ? "-rwxr-xr-x" : "-rw-r--r--"
    if ($1 != want || $2 != "root/root") print " " $1, $2, $6 }')
[ -z "$modes" ] || fail "modes or owners:"$'\n'"$modes"

root=$scratch/root
dpkg-deb --extract "$deb" "$root"

# Nothing beyond the programs, their menu and software centre entries, icons, manuals, documents and sounds:
# a test program, a library or a build file in the package is a packaging mistake.
actual=$(cd "$root" && find . -not -type d | sed 's|^\./||' | sort)
strays=$(grep -vE '^usr/(bin/gavora(-demo-server|-launch)?|share/(applications/gavora\.desktop|metainfo/com\.gavora\.Gavora\.metainfo\.xml|doc/gavora/(changelog\.gz|copyright)|gavora/Sounds/[a-z]+\.wav|icons/hicolor/[0-9x]+/apps/gavora\.png|man/man1/gavora[a-z-]*\.1\.gz))$' <<<"$actual" || true)
[ -z "$strays" ] || fail "files that do not belong in the package:"$'\n'"$strays"
for program in gavora gavora-demo-server; do
    sections=$(readelf -S "$root/usr/bin/$program" 2>&1) || fail "no program usr/bin/$program"
    ! grep -qE '\.symtab|\.debug_' <<<"$sections" || fail "usr/bin/$program is not stripped"
done
[ -f "$root/usr/share/doc/gavora/copyright" ] || fail "no usr/share/doc/gavora/copyright"

desktop=$root/usr/share/applications/gavora.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the menu entry"
[ "$(sed -n 's/^Exec=//p' "$desktop")" = gavora-launch ] || fail "the menu entry does not run gavora-launch"
# The software centre entry with the menu entry it launches: no error, no warning.
appstreamcli validate-tree --no-net --strict "$root" || fail "appstreamcli rejects the software centre entry"

# The launcher from the unpacked tree, with a stand-in client that reports where it was started.
cat >"$root/usr/bin/gavora" <<'STUB'
#!/bin/sh
pwd >"$GAVORA_CHECK_OUT"
echo "$@" >>"$GAVORA_CHECK_OUT"
STUB
export GAVORA_CHECK_OUT=$scratch/started
XDG_DATA_HOME=$scratch/data HOME=$scratch/home "$root/usr/bin/gavora-launch" one two || fail "gavora-launch failed"
work=$scratch/data/gavora
[ "$(cat "$GAVORA_CHECK_OUT" 2>/dev/null)" = "$work"$'\n'"one two" ] ||
    fail "gavora-launch did not start the client in $work with its arguments"
grep -q $'^PORT=18081\r$' "$work/HOSTIP.INI" || fail "gavora-launch wrote no HOSTIP.INI for the demo service"
diff -r "$root/usr/share/gavora/Sounds" "$work/Sounds" >/dev/null || fail "gavora-launch did not copy the sounds"
# A second start leaves the user's own settings alone.
echo "; mine" >>"$work/HOSTIP.INI"
cp "$work/HOSTIP.INI" "$scratch/mine.ini"
XDG_DATA_HOME=$scratch/data HOME=$scratch/home "$root/usr/bin/gavora-launch" || fail "gavora-launch failed again"
cmp -s "$work/HOSTIP.INI" "$scratch/mine.ini" || fail "a second gavora-launch changed HOSTIP.INI"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed for $deb" >&2
    exit 1
fi
echo "$deb: name, dependencies, $(wc -l <<<"$actual") files, menu entry and launcher are as expected"
