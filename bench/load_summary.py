#!/usr/bin/env python3
"""Prints the results of load_benchmark against the project's targets.

Usage: load_summary.py SPEED.json MEMORY.json

Reads the JSON files Google Benchmark writes with --benchmark_out. Timings are the median of
the repetitions. MB are 10^6 bytes (the benchmark's own console output uses MiB). Exits with
status 1 when a benchmark reported an error or did not run, so that a failed measurement is
never read as a result; a missed target is reported, not a failure: benchmarks are read, they
do not pass or fail.
"""
import json
import sys

TARGET_LOAD_MB_PER_S = 250        # LoadFile of the 1 M-line program
TARGET_OPEN_SECONDS = 3.0         # LoadFile + RunAfterLoadSteps of the 13 M-line program
TARGET_BYTES_PER_RECORD = 64      # after opening the 13 M-line program twice

SECONDS_PER_UNIT = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def load_runs(path):
    with open(path) as f:
        return json.load(f)["benchmarks"]


def pick(runs, name, errors):
    """The median run of `name` (or its single run when it was not repeated)."""
    mine = [r for r in runs if r["run_name"].split("/")[0] == name]
    for r in mine:
        if r.get("error_occurred"):
            errors.append("%s: %s" % (name, r.get("error_message", "error")))
            return None
    medians = [r for r in mine if r.get("aggregate_name") == "median"]
    if medians:
        return medians[0]
    if mine:
        return mine[0]
    errors.append("%s did not run" % name)
    return None


def verdict(ok):
    return "meets the target" if ok else "MISSES the target"


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__)
    speed, memory = load_runs(argv[1]), load_runs(argv[2])
    errors = []
    load = pick(speed, "BM_LoadFile_1M", errors)
    opened = pick(speed, "BM_Open_13M", errors)
    held = pick(memory, "BM_OpenMemory_13M", errors)

    print()
    if load:
        mb = load["bytes_per_second"] / 1e6
        print("LoadFile, 1 M-line program (%d records): %.1f MB/s, %.2f M records/s; "
              "target >= %d MB/s: %s" % (load["records"], mb, load["items_per_second"] / 1e6,
                                         TARGET_LOAD_MB_PER_S, verdict(mb >= TARGET_LOAD_MB_PER_S)))
    if opened:
        seconds = opened["real_time"] * SECONDS_PER_UNIT[opened["time_unit"]]
        print("Open with the after-load steps, 13 M-line program (%d records): %.2f s, "
              "%.1f MB/s, %.2f M records/s; target < %.0f s: %s"
              % (opened["records"], seconds, opened["bytes_per_second"] / 1e6,
                 opened["items_per_second"] / 1e6, TARGET_OPEN_SECONDS,
                 verdict(seconds < TARGET_OPEN_SECONDS)))
    if held:
        worst = max(held["held_bytes_per_record"], held["peak_rss_bytes_per_record"])
        print("Memory after opening the 13 M-line program twice: %.2f bytes/record held, "
              "%.2f bytes/record peak RSS; target <= %d: %s"
              % (held["held_bytes_per_record"], held["peak_rss_bytes_per_record"],
                 TARGET_BYTES_PER_RECORD, verdict(worst <= TARGET_BYTES_PER_RECORD)))
    for e in errors:
        print("error: " + e, file=sys.stderr)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
