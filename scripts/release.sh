#!/usr/bin/env bash
# Builds the Quilvex release from the committed HEAD and writes
# dist/Quilvex-<version>.zip: Quilvex.exe, QuilvexBackup.exe, readme.txt
# (the Japanese user's manual, code page 932) and SHA256SUMS. The same four
# files are also written unpacked to dist/Quilvex-<version>/, for Windows
# 2000, which cannot open a zip without a program of its own.
#
# The release is built twice, from two clean copies of HEAD in different
# directories, one after the other; both builds of each program and both
# zips must be the same byte for byte, and both packed programs must pass
# the Windows 2000 check (tools/check_windows2000.py), or nothing is written.
#
#   scripts/release.sh           build twice, compare, write the zip
#   scripts/release.sh --check   build twice and compare only (the test command runs this)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
check_only=0
case ${1:-} in
"") ;;
--check) check_only=1 ;;
*) echo "usage: scripts/release.sh [--check]" >&2; exit 2 ;;
esac
"$root/scripts/setup-machine.sh"

fail() { echo "release: $*" >&2; exit 1; }
size_target=$((96 * 1024))

commit=$(git -C "$root" rev-parse HEAD)
# The version of the commit that is built, not of the working tree.
version=$(git -C "$root" show "$commit:CMakeLists.txt" | sed -n 's/^project(Quilvex VERSION \([0-9.]*\).*/\1/p')
[ -n "$version" ] || fail "found no version in the project() line of CMakeLists.txt at $commit"
commit_time=$(git -C "$root" log -1 --format=%ct "$commit")
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
    echo "release: uncommitted changes are left out: the release is built from HEAD, $commit" >&2
fi

zip_name="Quilvex-$version.zip"
unpacked_name="Quilvex-$version"
dist="$root/dist"
work=$(mktemp -d)
trap 'rm -rf "$work" "$dist/$unpacked_name.partial"; rm -f "$dist/$zip_name.partial"' EXIT
# A failed release leaves no zip behind, not even an older one.
[ $check_only -eq 1 ] || rm -rf "$dist/$zip_name" "$dist/$unpacked_name"

# build DIR: a clean copy of HEAD in DIR/src, built in DIR/build (only the
# two Windows programs), packed into DIR/<zip>.
build() {
    local dir=$1
    mkdir -p "$dir/src"
    git -C "$root" archive "$commit" | tar -x -C "$dir/src"
    if ! { cmake -S "$dir/src" -B "$dir/build" -DCMAKE_BUILD_TYPE=Release \
               -DCMAKE_TOOLCHAIN_FILE="$dir/src/cmake/mingw-i686.cmake" &&
           cmake --build "$dir/build" --target Quilvex QuilvexBackup -j"$(nproc)"; } >"$dir/build.log" 2>&1; then
        cat "$dir/build.log" >&2
        fail "the build of $commit in $dir failed; no zip written"
    fi
    python3 "$dir/src/tools/package_release.py" --exe "$dir/build/app/Quilvex.exe" \
        --backup-exe "$dir/build/backup/QuilvexBackup.exe" --readme "$dir/src/release/readme.txt" --version "$version" --time "$commit_time" \
        --out "$dir/$zip_name" || fail "packing $zip_name failed; no zip written"
}

first="$work/first"
second="$work/second/checkout"
build "$first"
build "$second"
for file in build/app/Quilvex.exe build/backup/QuilvexBackup.exe "$zip_name"; do
    if ! cmp -s "$first/$file" "$second/$file"; then
        echo "release: differing bytes (offset, first build, second build, in octal):" >&2
        cmp -l "$first/$file" "$second/$file" 2>&1 | head -n 10 >&2 || true
        fail "two builds of $commit give different $(basename "$file"); no zip written"
    fi
done

# The files that ship are the files that are checked.
for program in app/Quilvex.exe backup/QuilvexBackup.exe; do
    if ! python3 "$first/src/tools/check_windows2000.py" "$first/build/$program" >&2; then
        fail "the $(basename "$program") of $commit does not load on Windows 2000; no zip written"
    fi
done

size=$(stat -c %s "$first/build/app/Quilvex.exe")
if [ "$size" -gt "$size_target" ]; then
    echo "release: warning: Quilvex.exe is $size bytes, over the target of $size_target bytes ($((size_target / 1024)) KiB)" >&2
fi
summary="Quilvex.exe $size bytes, $zip_name sha256 $(sha256sum "$first/$zip_name" | cut -d' ' -f1)"

if [ $check_only -eq 1 ]; then
    echo "release: two builds of $commit are identical ($summary)"
    exit 0
fi
mkdir -p "$dist"
# The unpacked files are taken out of the zip itself, so they are its very bytes.
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' \
    "$first/$zip_name" "$dist/$unpacked_name.partial"
mv -f "$dist/$unpacked_name.partial" "$dist/$unpacked_name"
cp "$first/$zip_name" "$dist/$zip_name.partial"
mv -f "$dist/$zip_name.partial" "$dist/$zip_name"
echo "release: wrote $dist/$zip_name and its files unpacked in $dist/$unpacked_name/ ($summary)"
