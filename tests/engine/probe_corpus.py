#!/usr/bin/env python3
# The probe corpus (tools/swfgen/corpus.cpp) played through --probe on two engines: every movie must
# end for one of the reasons written beside it, with its frame count and highest frame in range.
import json
import subprocess
import sys

program, corpus = sys.argv[1], sys.argv[2]
with open(f"{corpus}/expected.tsv", encoding="utf-8") as table:
    rows = [line.rstrip("\n").split("\t") for line in table if line.strip()]
paths = [f"{corpus}/{row[0]}" for row in rows]
run = subprocess.run([program, "--probe", "--seconds", "40", "--summary", "--jobs", "2", "--", *paths],
                     capture_output=True, text=True, check=False)
lines = [json.loads(line) for line in run.stdout.splitlines()]
failures = []
for path, (name, reasons, total, frames), got in zip(paths, rows, lines):
    low, high = (int(n) for n in frames.split("-"))
    if (got["Path"] != path or got["Reason"] not in reasons.split("|") or got["TotalFrames"] != int(total)
            or not low <= got["MaxFrame"] <= high):
        failures.append(f"{name}: want {reasons} {total} {frames}, got {got['Reason']} {got['TotalFrames']} "
                        f"{got['MaxFrame']} after {got['Seconds']} s")
summary = lines[-1].get("Summary", {}) if lines else {}
if len(lines) != len(rows) + 1 or summary.get("Movies") != len(rows):
    failures.append(f"{len(lines)} lines for {len(rows)} movies; summary {summary}")
print("\n".join(failures) or f"{len(rows)} movies as expected: {summary}")
sys.exit(1 if failures else 0)
