#!/usr/bin/env bash
# The smallest circuits (the examples and the one-stage cascade), sparse
# against reference solver, DC command: the first analysis of a fresh process
# (cold) and, in the same process, the median of REPEATS analyses after it
# (warm); each the median of REPS processes, in microseconds. The two
# solvers' processes alternate so that a change of load meets both alike.
#   bench/small-circuits.sh [BUILD]    default BUILD: build
# Prints a Markdown table.
set -euo pipefail
ZARO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BIN="${1:-$ZARO_ROOT/build}/bin"
REPS=${REPS:-31}
REPEATS=${REPEATS:-50}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
"$BIN/bench_side_by_side_circuits" "$WORK" >/dev/null

# Median of column $1 of stdin, in microseconds.
median() { awk -v c="$1" '{ print $c }' | sort -g | awk '{ v[NR] = $1 } END { printf "%.0f", v[(NR + 1) / 2] * 1e6 }'; }

echo "| circuit | cold sparse (µs) | cold reference (µs) | warm sparse (µs) | warm reference (µs) |"
echo "|---|---:|---:|---:|---:|"
for model in "$ZARO_ROOT"/examples/*.zsm "$WORK/npn1.zsm"; do
    : >"$WORK/sparse"
    : >"$WORK/reference"
    for _ in $(seq "$REPS"); do
        for solver in sparse reference; do
            # A failed analysis still has its times.
            "$BIN/bench_side_by_side_circuits" --time "$model" "$solver" dc "$REPEATS" \
                2>/dev/null >>"$WORK/$solver" || true
        done
    done
    echo "| $(basename "$model" .zsm) | $(median 1 <"$WORK/sparse") | $(median 1 <"$WORK/reference")" \
        "| $(median 2 <"$WORK/sparse") | $(median 2 <"$WORK/reference") |"
done
