#!/usr/bin/env bash
# Times zarosim-cli (sparse and reference solver) and ngspice on the same
# circuits: K cascaded NPN stages, resistor ladders, a resistor mesh (DC
# operating point) and an RC ladder (AC at one frequency). Whole
# process (wall time, peak memory) and analysis only, median of REPS runs.
#   bench/side-by-side.sh [CIRCUIT...]    default: every circuit
# REPS (default 5) runs per cell, round by round, the three programs in a
# shuffled order each round; a run that takes over half of LIMIT seconds
# (default 120) is its program's last, one that runs out of it shows
# "> LIMIT". Prints a Markdown table.
set -euo pipefail
ZARO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$ZARO_ROOT/scripts/deps.sh"
zaro_ensure_packages "${ZARO_BUILD_PACKAGES[@]}" ngspice time coreutils

REPS=${REPS:-5}
LIMIT=${LIMIT:-120}
BUILD="$ZARO_ROOT/build"
zaro_configure "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARO_TESTS=ON -DZARO_BENCH=ON
cmake --build "$BUILD" --target zarosim-cli bench_side_by_side_circuits >&2
BIN="$BUILD/bin"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
"$BIN/bench_side_by_side_circuits" "$WORK"

CIRCUITS=("$@")
[ ${#CIRCUITS[@]} -gt 0 ] || CIRCUITS=(npn1 npn10 npn100 npn1000 ladder100 ladder1000 mesh30 rc100)

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# The three programs of a circuit: name, whole-process command, analysis-only
# command (prints seconds).
variants() {
    local c=$1 kind=$2 solver
    for solver in sparse reference; do
        printf '%s\t%s\t%s\n' "$solver" \
            "\"$BIN/zarosim-cli\" analyse \"$WORK/$c.zsm\" --kind $kind --solver $solver" \
            "\"$BIN/bench_side_by_side_circuits\" --time \"$WORK/$c.zsm\" $solver $kind 2>/dev/null | tail -1"
    done
    printf '%s\t%s\t%s\n' ngspice "ngspice -b \"$WORK/$c.cir\"" \
        "sed -n 's/^Total analysis time (seconds) = *//p' \"$WORK/out-ngspice\""
}

# One run of variant $1: the whole process ($2), then the analysis alone ($3)
# unless the process ran out of time. Appends to the variant's files; a run
# that runs out of LIMIT, or takes over half of it, is the variant's last.
run_once() {
    local name=$1 whole=$2 analysis=$3 rc=0 wall mem
    eval "timeout $LIMIT /usr/bin/time -f '%e %M' -o \"$WORK/time\" $whole" \
        >"$WORK/out-$name" 2>"$WORK/err-$name" || rc=$?
    if [ "$rc" = 124 ]; then
        echo "> $LIMIT" >"$WORK/$name.timeout"
        return
    fi
    read -r wall mem < <(tail -1 "$WORK/time")
    echo "$wall" >>"$WORK/$name.wall"
    echo "$mem" >>"$WORK/$name.mem"
    # A failed analysis still has its time.
    (eval "timeout $LIMIT $analysis" || true) >>"$WORK/$name.analysis"
    awk -v w="$wall" -v l="$LIMIT" 'BEGIN { exit !(w * 2 > l) }' && touch "$WORK/$name.done"
    return 0
}

# The runs of a circuit go round by round, the programs in a shuffled order
# in each, so that a drift of the machine's speed during the runs, or a
# program finding the code of the one before it still cached, favours none.
measure_circuit() {
    local c=$1 kind=$2 name whole analysis
    rm -f "$WORK"/*.wall "$WORK"/*.mem "$WORK"/*.analysis "$WORK"/*.timeout "$WORK"/*.done
    for _ in $(seq "$REPS"); do
        while IFS=$'\t' read -r name whole analysis; do
            [ -e "$WORK/$name.timeout" ] || [ -e "$WORK/$name.done" ] ||
                run_once "$name" "$whole" "$analysis"
        done < <(variants "$c" "$kind" | shuf)
    done
}

row() {
    local c=$1 name=$2 label=$2 wall analysis mem runs=0 status=""
    [ ! -e "$WORK/$name.wall" ] || runs=$(wc -l <"$WORK/$name.wall")
    if [ -e "$WORK/$name.timeout" ]; then
        runs=$((runs + 1))
        printf '| %s | %s | %s | - | - | %s |\n' "$c" "$name" "$(cat "$WORK/$name.timeout")" "$runs"
        return
    fi
    [ "$name" = ngspice ] || status=$(head -c 300 "$WORK/err-$name" | head -1)
    [ -z "$status" ] || label="$name (message: ${status:0:20}…)"
    wall=$(median <"$WORK/$name.wall")
    mem=$(median <"$WORK/$name.mem" | awk '{ printf "%.1f", $1 / 1024 }')
    analysis=$(grep . "$WORK/$name.analysis" | median || echo "-")
    printf '| %s | %s | %s | %s | %s | %s |\n' "$c" "$label" "$wall" "$analysis" "$mem" "$runs"
}

echo "| circuit | solver | whole process (s) | analysis (s) | peak memory (MB) | runs |"
echo "|---|---|---:|---:|---:|---:|"
for c in "${CIRCUITS[@]}"; do
    kind=dc
    [ "${c#rc}" = "$c" ] || kind=ac-linear # the RC ladder: linear AC at 1 kHz
    measure_circuit "$c" "$kind"
    for name in sparse reference ngspice; do
        row "$c" "$name"
    done
done
