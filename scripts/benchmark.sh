#!/usr/bin/env bash
# Measures Quilvex and writes the figures to docs/performance.md:
#  - start-up until the dialog is visible under Wine, against a bare dialog
#    program built the same way, once with a one-button template and once
#    with Quilvex's own template and manifest (medians of interleaved runs
#    and the ratio of Quilvex's median to each, with its 95% bootstrap
#    interval over the rounds; the start-up ratio is the one against the
#    same template, and its target holds when the interval's upper end
#    does; the machine's load average is noted, since other work on it
#    makes the times noisy);
#  - the size of Quilvex.exe and the DLLs it imports;
#  - registry calls, key opens and handles left open per load and per save
#    pass, and the time per pass, on the in-memory registry.
#
#   scripts/benchmark.sh [RUNS]      (default 15 start-ups of each program)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-15}
"$root/scripts/setup-machine.sh"

build="$root/build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUILVEX_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null
win="$build/win"
exe="$win/app/Quilvex.exe"

session="$build/bench-session"
trap '"$root/scripts/wine-session.sh" stop "$session"' EXIT
"$root/scripts/wine-session.sh" start "$session"
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
startup=$("$root/scripts/wine-session.sh" run "$session" --timeout 900 \
    "$win/bench/startup_probe.exe" "$runs" "$exe" "$win/bench/bare_dialog.exe" \
    "$win/bench/bare_template_dialog.exe" | tr -d '\r')
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
# The programs are named by their path in the checkout, not on this machine.
startup=${startup//"$root/"/}
"$root/scripts/wine-session.sh" stop "$session"
trap - EXIT

# The programs as the runs name them.
quilvex=build/win/app/Quilvex.exe
bare=build/win/bench/bare_dialog.exe
template=build/win/bench/bare_template_dialog.exe
figures=$(python3 "$root/bench/startup_ratio.py" "$quilvex" "$bare" "$template" <<<"$startup")
median() { awk -v name="$1" '$1 == "median" && $3 == name {print $2}' <<<"$figures"; }
# Field 3 of a baseline's ratio line is the ratio, 4 and 5 its interval.
ratio_field() { awk -v name="$1" -v field="$2" '$1 == "ratio" && $2 == name {print $field}' <<<"$figures"; }
ratio() { echo "$(ratio_field "$1" 3) (95% interval $(ratio_field "$1" 4) to $(ratio_field "$1" 5))"; }
startup_ratio=$(ratio "$template")
target_max=1.10
target=$(awk -v high="$(ratio_field "$template" 5)" -v max="$target_max" 'BEGIN {print (high <= max ? "met" : "not met")}')
busy=$(awk -v before="${load_before%% *}" -v after="${load_after%% *}" -v cores="$(nproc)" 'BEGIN {
    print (before >= cores / 2 || after >= cores / 2 ? "other work kept the machine busy during the runs" \
                                                     : "the machine was nearly idle")}')
size=$(stat -c %s "$exe")
dlls=$(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name/ {print $3}' | sort | paste -sd, - | sed 's/,/, /g')
passes=$("$build/bench/settings_bench" --benchmark_min_time=0.2 2>/dev/null)

cat >"$root/docs/performance.md" <<DOC
# Quilvex performance

Produced by \`scripts/benchmark.sh $runs\` on $(date -u +%Y-%m-%d) ($(nproc) cores, Wine $(wine --version 2>/dev/null | sed 's/wine-//')).
Rerun that command to reproduce; it rewrites this file.

## Start-up under Wine

Start-up ratio: **$startup_ratio**, from \`scripts/benchmark.sh $runs\`:
Quilvex's median start-up time over $runs rounds divided by that of the bare
dialog program showing Quilvex's own template and manifest. The interval is
a 95% bootstrap interval of that ratio of medians, drawing whole rounds
10000 times from a fixed seed (\`bench/startup_ratio.py\`). Target: the
interval's upper end at most $target_max; $target.

Start-up time runs from process creation until the first top-level window is
visible, in a fresh Wine prefix under Xvfb. The programs take turns, one
start each per round, each round beginning with the next program. The
machine's load average was $load_before before the runs and $load_after
after them, on $(nproc) cores:
$busy.
Other work slows some starts more than others, so the times scatter and the
interval widens.

| program | median (ms) | Quilvex's median as a multiple of it (95% interval) |
|---|---|---|
| Quilvex.exe | $(median "$quilvex") | |
| bare dialog program, one-button template | $(median "$bare") | $(ratio "$bare") |
| bare dialog program, Quilvex's template and manifest | $(median "$template") | $startup_ratio |

Against the one-button dialog much of the difference is the template
itself (33 controls, drawn by version 6 of the common controls that the
manifest asks for). Against the same template, what remains is Quilvex's own
dialog initialisation, made of the system calls its opening must make: the
load pass's registry calls (counted below; under Wine each is a round trip
to the Wine server), the system-menu entry and the icon, binding the
controls, and the tooltip control with its seventeen tools. Static
initialisation and the larger file cost nothing measurable. The framework's
window-creation hook leaves as soon as it has caught the dialog's window, so
the 33 controls are created without it, and the automatic tooltips make their
window only at the first mouse message.

## Executable

| | |
|---|---|
| size of Quilvex.exe | $size bytes ($(( size / 1024 )) KiB; target: at most 96 KiB) |
| imported DLLs | $dlls |

## Settings passes on the in-memory registry

Per pass: registry calls, calls that open or create a key, the most key
handles open at the same time (target 1: every operation opens its one key
once and closes it before the next), and handles left open afterwards
(target 0); then the time per pass (Google Benchmark).

\`\`\`
$passes
\`\`\`

Raw start-up runs (ms):

\`\`\`
$startup
\`\`\`
DOC
echo "benchmark: wrote $root/docs/performance.md"
echo "benchmark: start-up ratio $startup_ratio; target: upper end at most $target_max, $target (load average $load_before, then $load_after)"
