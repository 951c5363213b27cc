#!/usr/bin/env bash
# The release a user downloads: scripts/package.sh makes perch-<version>-win64.zip from this
# build, the zip holds exactly the program, its help, the README and the licence in one
# folder named after the version, and, unpacked into a Wine prefix made fresh for it, that
# perch.exe starts (splash and all, as on a first run), shows its frame and ends cleanly.
# Called as: package_test.sh <package.sh> <win32 build dir> <window_driver.exe>
source "$(dirname "$0")/lib.sh"
package=$1
build=$2
driver=$3
work="$build/package-test"
fresh="$work/prefix"

stop_fresh() {
    WINEPREFIX="$fresh" wineserver -k >/dev/null 2>&1 || true
}
trap 'e2e_cleanup; stop_fresh; rm -rf "$work"' EXIT
stop_fresh
rm -rf "$work"
mkdir -p "$work/dist"

zip=$(bash "$package" "$build" "$work/dist") || e2e_fail "scripts/package.sh failed"
version=$(tr -d '[:space:]' <"$build/version.txt")
name="perch-$version-win64"
[ "$zip" = "$(cd "$work/dist" && pwd)/$name.zip" ] || e2e_fail "the zip is $zip, not $name.zip"
[[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || e2e_fail "the version is \"$version\""
listed=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
expected="$name/ $name/LICENSE.txt $name/README.txt $name/perch.chm $name/perch.exe $name/perch.hlp "
[ "$listed" = "$expected" ] || e2e_fail "the zip holds: $listed; expected: $expected"
unzip -p "$zip" "$name/README.txt" | grep -q "Perch $version for Windows" ||
    e2e_fail "README.txt does not name version $version"
unzip -p "$zip" "$name/README.txt" | grep -q 'HKEY_CURRENT_USER\\Software\\Halden\\Perch' ||
    e2e_fail "README.txt does not say where the settings live"
unzip -p "$zip" "$name/LICENSE.txt" | grep -q "MIT License" || e2e_fail "LICENSE.txt is not the MIT licence"
cmp -s <(unzip -p "$zip" "$name/perch.exe") "$build/perch.exe" || e2e_fail "the zip's perch.exe is not the build's"
echo "$name.zip holds perch.exe, perch.chm, perch.hlp, README.txt and LICENSE.txt: ok"

# A prefix of its own, as a new user's Windows: nothing of the test prefix carries over.
export WINEPREFIX="$fresh"
mkdir -p "$fresh"
timeout 300 wineboot -i >/dev/null 2>&1 || e2e_fail "wineboot could not make a fresh prefix"
target="$fresh/drive_c/Users/Public/Perch"
mkdir -p "$target"
unzip -q "$zip" -d "$target" || e2e_fail "the zip does not unpack"
exe="$target/$name/perch.exe"
[ -f "$exe" ] && [ -f "$target/$name/perch.chm" ] || e2e_fail "nothing unpacked at $target/$name"
wine reg query 'HKCU\Software\Halden\Perch' >/dev/null 2>&1 && e2e_fail "the fresh prefix already has Perch's settings"

cd "$target/$name"
e2e_start "C:\\Users\\Public\\Perch\\$name\\perch.exe"
pid=$e2e_last_pid
wine "$driver" wait "Perch|Roost" 30000 >/dev/null 2>&1 || e2e_fail "the unpacked perch.exe showed no frame within 30 s"
echo "perch.exe unpacked into a fresh prefix starts and shows its frame: ok"
wine "$driver" close "Perch|Roost" >/dev/null 2>&1 || e2e_fail "could not post WM_CLOSE to the unpacked Perch"
e2e_wait_exit "$pid" 20 || e2e_fail "the unpacked perch.exe still runs 20 s after the close"
[ "$e2e_exit_code" -eq 0 ] || e2e_fail "the unpacked perch.exe exited with $e2e_exit_code"
poll=0
until wine reg query 'HKCU\Software\Halden\Perch' >/dev/null 2>&1; do
    poll=$((poll + 1))
    [ "$poll" -lt 20 ] || e2e_fail "the unpacked Perch saved no settings on exit"
    sleep 0.5
done
echo "it ends cleanly and keeps its settings under HKCU\\Software\\Halden\\Perch: ok"
