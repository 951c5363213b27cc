#!/usr/bin/env bash
# Builds the release that a user downloads: dist/perch-<version>-win64.zip with perch.exe,
# its help (perch.chm, perch.hlp), a README.txt for users and the LICENSE. The version is
# the project version in CMakeLists.txt, as the Win32 build writes it.
#
#   scripts/package.sh                  an optimised Win32 build in build/release, the zip
#                                       into dist/
#   scripts/package.sh <build> <out>    the zip from the Win32 build already in <build>
#                                       into <out> (the package test)
# Prints the path of the zip.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ $# -eq 0 ]; then
    "$root/scripts/setup.sh"
    build=$root/build/release
    out=$root/dist
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >"$root/build/package-build.log" 2>&1 &&
        cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target perch perch_help \
            >>"$root/build/package-build.log" 2>&1 ||
        { tail -n 30 "$root/build/package-build.log" >&2; echo "package: the build failed" >&2; exit 1; }
elif [ $# -eq 2 ]; then
    build=$1
    out=$2
else
    echo "usage: scripts/package.sh [<win32 build dir> <output dir>]" >&2
    exit 2
fi

version=$(tr -d '[:space:]' <"$build/version.txt" 2>/dev/null || true)
[ -n "$version" ] || { echo "package: $build has no version.txt: not a Win32 build" >&2; exit 1; }
for file in perch.exe perch.hlp perch.chm; do
    [ -s "$build/$file" ] || { echo "package: $build/$file is missing" >&2; exit 1; }
done
command -v zip >/dev/null || { echo "package: zip is missing (scripts/setup.sh installs it)" >&2; exit 1; }

name=perch-$version-win64
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/$name" "$out"
cp "$build/perch.exe" "$build/perch.hlp" "$build/perch.chm" "$stage/$name/"
# Text files for Windows users: CRLF line ends.
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' "$root/packaging/README.txt" >"$stage/$name/README.txt"
sed -e 's/$/\r/' "$root/LICENSE" >"$stage/$name/LICENSE.txt"
zip="$(cd "$out" && pwd)/$name.zip"
rm -f "$zip"
(cd "$stage" && zip -q -X -r "$zip" "$name")
echo "$zip"
