#!/usr/bin/env bash
# Builds Quilvex and runs it under Wine, in a Wine prefix of the project's own
# (.sandbox/ at the top of the checkout, kept between runs): the tweaks it
# writes land in that prefix's registry, never in yours.
#
# With a display ($DISPLAY set) the dialog opens there; the script returns
# when you close it. Without one the dialog opens on a private Xvfb: the
# script takes screenshots of the dialog and of its About box, closes the
# dialog with Cancel and prints where the pictures are.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-machine.sh"

# Only the Windows program and its remote control are needed, built where
# the full build (scripts/test.sh) puts them: build/win, or below
# $QUILVEX_BUILD_DIR when that is set.
win="${QUILVEX_BUILD_DIR:-$root/build}/win"
cmake -S "$root" -B "$win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$win" --target Quilvex quilvex_remote -j"$(nproc)"
quilvex="$win/app/Quilvex.exe"
remote="$win/tools/quilvex_remote.exe"

session="$root/.sandbox"
wine_session="$root/scripts/wine-session.sh"
trap '"$wine_session" stop "$session"' EXIT

if [ -n "${DISPLAY:-}" ]; then
    "$wine_session" start "$session" --keep-prefix --use-display
    echo "Quilvex is open; close its window to finish."
    "$wine_session" run "$session" --timeout 86400 "$quilvex"
    exit 0
fi

"$wine_session" start "$session" --keep-prefix
"$wine_session" run "$session" --timeout 300 "$quilvex" &
program=$!

# Takes a picture of the screen area "X Y WIDTH HEIGHT".
snap() {
    local file=$1 x y width height
    read -r x y width height <<<"$2"
    "$wine_session" exec "$session" import -window root -crop "${width}x${height}+${x}+${y}" +repage "$file"
}

if ! rect=$("$wine_session" run "$session" --timeout 90 "$remote" wait 60); then
    echo "run: the Quilvex dialog did not appear within a minute" >&2
    kill "$program" 2>/dev/null || true
    exit 1
fi
snap "$session/quilvex.png" "$rect"
if about=$("$wine_session" run "$session" --timeout 60 "$remote" about 20); then
    snap "$session/quilvex-about.png" "$about"
fi
"$wine_session" run "$session" --timeout 60 "$remote" cancel 20 || echo "run: Cancel did not close the dialog" >&2
wait "$program" || true

echo "Screenshot of the dialog: $session/quilvex.png"
[ -f "$session/quilvex-about.png" ] && echo "Screenshot of the About box: $session/quilvex-about.png"
exit 0
