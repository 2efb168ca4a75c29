#!/usr/bin/env python3
"""Start-up figures from startup_probe's run lines ("run ROUND MS PROGRAM").

   startup_ratio.py QUILVEX BASELINE [BASELINE...] < probe-output

Prints, for every program, "median MS PROGRAM", and for every baseline
"ratio BASELINE R LOW HIGH": R is Quilvex's median start-up time divided by
the baseline's, LOW and HIGH the bounds of its 95% bootstrap interval. The
bootstrap draws whole rounds (each round starts every program once, so a
slow spell of the machine stays with its round), 10000 times, from a fixed
seed, so the same runs always give the same interval.
"""
import random
import statistics
import sys

RESAMPLES = 10000
SEED = 1


def main():
    quilvex, baselines = sys.argv[1], sys.argv[2:]
    rounds = {}
    for line in sys.stdin:
        fields = line.split()
        if len(fields) == 4 and fields[0] == "run":
            rounds.setdefault(int(fields[1]), {})[fields[3]] = float(fields[2])
    programs = [quilvex] + baselines
    complete = [r for _, r in sorted(rounds.items()) if all(p in r for p in programs)]
    if not complete:
        sys.exit("startup_ratio: no round timed every program")

    for program in programs:
        print(f"median {statistics.median(r[program] for r in complete):.1f} {program}")

    draw = random.Random(SEED)
    samples = [draw.choices(complete, k=len(complete)) for _ in range(RESAMPLES)]
    for baseline in baselines:

        def ratio(rs):
            return statistics.median(r[quilvex] for r in rs) / statistics.median(r[baseline] for r in rs)

        spread = sorted(ratio(sample) for sample in samples)
        low, high = spread[int(0.025 * RESAMPLES)], spread[int(0.975 * RESAMPLES) - 1]
        print(f"ratio {baseline} {ratio(complete):.2f} {low:.2f} {high:.2f}")


if __name__ == "__main__":
    main()
