#!/usr/bin/env bash
# The smallest circuits (the examples, cascades of one and two NPN stages,
# resistor ladders of 3 to 6 sections: 24 to 48 unknowns), sparse against
# reference solver, DC command: the first analysis of a fresh process
# (cold) and, in the same process, the median of REPEATS analyses after it
# (warm); each the median of REPS processes, in microseconds. Before each
# process the caches are filled with other data (a 128 MB file read), as
# when the program starts after other work: a process finds the code of one
# that ran just before it still cached, which favours whichever variant
# comes second. Each round also runs the variants in a shuffled order.
#   bench/small-circuits.sh [BUILD]    default BUILD: build
# With BEFORE=DIR the sparse solver of the build in DIR is timed as well
# (an earlier version, for a before-and-after table). The last column is the
# median over the rounds of cold sparse minus cold reference, both from the
# same round: steadier than the difference of the two medians when the
# machine's speed drifts.
# Prints a Markdown table.
set -euo pipefail
ZARO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BIN="${1:-$ZARO_ROOT/build}/bin"
REPS=${REPS:-31}
REPEATS=${REPEATS:-50}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
"$BIN/bench_side_by_side_circuits" "$WORK" >/dev/null
head -c 128M /dev/zero >"$WORK/other-data"

# name, program, solver
VARIANTS=("sparse $BIN/bench_side_by_side_circuits sparse"
          "reference $BIN/bench_side_by_side_circuits reference")
[ -z "${BEFORE:-}" ] || VARIANTS+=("before $BEFORE/bin/bench_side_by_side_circuits sparse")

# Median of column $1 of stdin, in microseconds ($2 decimals, default 0).
median() {
    awk -v c="$1" '{ print $c }' | sort -g |
        awk -v d="${2:-0}" '{ v[NR] = $1 } END { printf "%.*f", d, v[(NR + 1) / 2] * 1e6 }'
}

names=$(for v in "${VARIANTS[@]}"; do echo "${v%% *}"; done)
echo "| circuit |$(for n in $names; do printf ' cold %s |' "$n"; done)$(for n in $names; do printf ' warm %s |' "$n"; done) cold sparse − reference |"
echo "|---|$(for _ in $names $names; do printf -- '---:|'; done)---:|"
for model in "$ZARO_ROOT"/examples/*.zsm "$WORK"/{npn1,npn2,ladder3,ladder4,ladder5,ladder6}.zsm; do
    for n in $names; do : >"$WORK/$n"; done
    for _ in $(seq "$REPS"); do
        while read -r name program solver; do
            cat "$WORK/other-data" >/dev/null
            # A failed analysis still has its times.
            "$program" --time "$model" "$solver" dc "$REPEATS" 2>/dev/null >>"$WORK/$name" || true
        done < <(printf '%s\n' "${VARIANTS[@]}" | shuf)
    done
    printf '| %s |' "$(basename "$model" .zsm)"
    for n in $names; do printf ' %s |' "$(median 1 <"$WORK/$n")"; done
    for n in $names; do printf ' %s |' "$(median 2 <"$WORK/$n")"; done
    printf ' %s |' "$(paste "$WORK/sparse" "$WORK/reference" | awk '{ print $1 - $3 }' | median 1 1)"
    echo
done
