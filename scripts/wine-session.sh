#!/usr/bin/env bash
# A private Wine world for running Quilvex: its own prefix (registry), its
# own Xvfb display unless told to use the caller's, a Wine virtual desktop
# (so hiding windows does not stall waiting for a window manager), and the
# Japanese locale, so that the ANSI code page is 932.
#
#   wine-session.sh start DIR [--keep-prefix] [--use-display] [--win64]
#   wine-session.sh run DIR [--timeout SECONDS] [--windows-version VERSION] PROGRAM [ARGS...]
#   wine-session.sh exec DIR COMMAND [ARGS...]   (any command in the session's environment)
#   wine-session.sh stop DIR
#
# DIR holds the prefix, its architecture, the display number and the Xvfb
# pid. stop ends only the wineserver of this prefix and the Xvfb this session
# started. The prefix is 32-bit unless started with --win64: a 64-bit prefix,
# where the 32-bit programs run under WOW64 as on 64-bit Windows.
set -euo pipefail

cmd=${1:?usage: wine-session.sh start|run|exec|stop DIR ...}
dir=${2:?session directory}
shift 2
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)

export WINEPREFIX="$dir/prefix"
# Chosen at start; Wine refuses a prefix of the other architecture.
WINEARCH=win32
if [ "$cmd" = start ]; then
    for a in "$@"; do [ "$a" != --win64 ] || WINEARCH=win64; done
elif [ -f "$dir/arch" ]; then
    WINEARCH=$(cat "$dir/arch")
fi
export WINEARCH
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: there is no network to fetch them and Quilvex needs neither.
export WINEDLLOVERRIDES="mscoree=;mshtml="
export LC_ALL=ja_JP.UTF-8
export LANG=ja_JP.UTF-8

# Quilvex and its test programs are 32-bit: Wine runs them with its 32-bit
# loader, in a 64-bit prefix too. A kernel built without IA-32 emulation
# cannot start that loader at all; then every Wine run is reported as
# skipped, with the reason, in a line the test entries look for.
require_32bit_wine() {
    local answer
    if ! answer=$(wine --version 2>&1); then
        echo "wine-session: SKIPPED: this machine cannot run 32-bit Windows programs under Wine" \
             "(wine --version: ${answer//$'\n'/ }); the Wine suites need a kernel with IA-32 emulation" >&2
        exit 77
    fi
}

load_display() {
    if [ -f "$dir/display" ]; then DISPLAY=$(cat "$dir/display"); export DISPLAY; fi
}

stop_session() {
    if [ -d "$WINEPREFIX" ]; then wineserver -k >/dev/null 2>&1 || true; fi
    if [ -f "$dir/xvfb.pid" ]; then
        kill "$(cat "$dir/xvfb.pid")" >/dev/null 2>&1 || true
        rm -f "$dir/xvfb.pid"
    fi
    rm -f "$dir/display"
}

start_xvfb() {
    local fdfile="$dir/xvfb.displayfd"
    rm -f "$fdfile"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    echo $! >"$dir/xvfb.pid"
    for _ in $(seq 1 100); do
        [ -s "$fdfile" ] && break
        sleep 0.1
    done
    [ -s "$fdfile" ] || { echo "wine-session: Xvfb did not start" >&2; exit 1; }
    echo ":$(tr -d '[:space:]' <"$fdfile")" >"$dir/display"
}

configure_prefix() {
    # Every program in its own virtual desktop window.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    # The dialogs ask for Japanese Windows fonts; show them in IPA Gothic.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d IPAPGothic /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS Shell Dlg' /d IPAPGothic /f >/dev/null 2>&1
}

# Title-bar buttons, scroll arrows and menu check marks are letters of the
# Marlett symbol font; without it they show as plain letters ("r" for the
# close box), in any locale. This Wine build never loads its own fonts (it
# looks for them under "/usr/share/wine/../fonts", a path it cannot open),
# so the prefix's font folder gets Marlett from fonts-wine, kept prefixes too.
install_symbol_font() {
    local marlett=/usr/share/wine/fonts/marlett.ttf fonts="$WINEPREFIX/drive_c/windows/Fonts"
    [ -f "$fonts/marlett.ttf" ] && return 0
    [ -f "$marlett" ] || { echo "wine-session: $marlett is missing (package fonts-wine)" >&2; exit 1; }
    cp "$marlett" "$fonts/"
}

case $cmd in
start)
    keep=0 use_display=0
    for a in "$@"; do
        case $a in
        --keep-prefix) keep=1 ;;
        --use-display) use_display=1 ;;
        --win64) ;;
        *) echo "wine-session: unknown option $a" >&2; exit 2 ;;
        esac
    done
    require_32bit_wine
    stop_session
    # A kept prefix of the other architecture cannot be used.
    if [ $keep -eq 0 ] || [ "$(cat "$dir/arch" 2>/dev/null || echo win32)" != "$WINEARCH" ]; then rm -rf "$WINEPREFIX"; fi
    echo "$WINEARCH" >"$dir/arch"
    if [ $use_display -eq 1 ] && [ -n "${DISPLAY:-}" ]; then
        echo "$DISPLAY" >"$dir/display"
    else
        start_xvfb
    fi
    load_display
    fresh=0
    [ -f "$WINEPREFIX/system.reg" ] || fresh=1
    timeout 300 wineboot -i >/dev/null 2>&1
    [ $fresh -eq 0 ] || configure_prefix
    install_symbol_font
    # Let wineboot's own server and processes finish first (on a new prefix
    # its desktop started before the virtual desktop was configured), then
    # keep one wineserver up for the whole session rather than one per program,
    # with the session's system processes and desktop started here. Their
    # output goes nowhere: a caller reading a program's output would otherwise
    # wait for them to end.
    timeout 60 wineserver -w || true
    wineserver -p </dev/null >/dev/null 2>&1
    timeout 300 wineboot </dev/null >/dev/null 2>&1
    ;;
run)
    limit=120 version=
    while :; do
        case ${1:-} in
        --timeout) limit=$2; shift 2 ;;
        --windows-version) version=$2; shift 2 ;;
        *) break ;;
        esac
    done
    require_32bit_wine
    load_display
    # The program's output goes through files, passed on once it has ended:
    # the Wine processes it starts inherit its output (the session's services
    # too, restarted after a forced end of the session) and would hold a
    # pipe to the caller open long after the program is gone.
    out=$(mktemp "$dir/run.XXXXXX") err=$(mktemp "$dir/run.XXXXXX") key=
    cleanup() {
        rm -f "$out" "$err"
        if [ -n "$key" ]; then wine reg delete "$key" /f >/dev/null 2>&1 || true; fi
    }
    trap cleanup EXIT
    if [ -n "$version" ]; then
        # Wine reports this Windows version to this program alone, for this run.
        key="HKCU\\Software\\Wine\\AppDefaults\\$(basename "$1")"
        wine reg add "$key" /v Version /d "$version" /f >/dev/null 2>&1
    fi
    status=0
    timeout -k 5 "$limit" wine "$@" >"$out" 2>"$err" || status=$?
    cat "$out"
    cat "$err" >&2
    # A caller that judges by the output alone still sees a failed exit.
    [ $status -eq 0 ] || echo "wine-session: $(basename "$1") FAILED with exit status $status" >&2
    exit $status
    ;;
exec)
    load_display
    "$@"
    ;;
stop)
    stop_session
    ;;
*)
    echo "usage: wine-session.sh start|run|exec|stop DIR ..." >&2
    exit 2
    ;;
esac
