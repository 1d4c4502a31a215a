#!/usr/bin/env bash
# Times zarosim-cli (sparse and reference solver) and ngspice on the same
# circuits: K cascaded NPN stages, resistor ladders, a resistor mesh (DC
# operating point) and an RC ladder (AC at one frequency). Whole
# process (wall time, peak memory) and analysis only, median of REPS runs.
#   bench/side-by-side.sh [CIRCUIT...]    default: every circuit
# REPS (default 5) runs per cell; a run longer than LIMIT seconds (default
# 120) ends the cell after that run (after the second when over half of it),
# one that runs out of it shows "> LIMIT". Prints a Markdown table.
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

# One cell: runs "$@" up to REPS times; sets WALL, MEM (kB), ANALYSIS (s).
# ANALYSIS_CMD, when set, is run the same number of times for the analysis time.
measure() {
    local walls=() mems=() analyses=() n=0 rc wall mem
    while [ $n -lt "$REPS" ]; do
        rc=0
        timeout "$LIMIT" /usr/bin/time -f '%e %M' -o "$WORK/time" "$@" >"$WORK/out" 2>"$WORK/err" || rc=$?
        if [ "$rc" = 124 ]; then
            WALL="> $LIMIT" MEM=- ANALYSIS=- RUNS=$((n + 1))
            return
        fi
        read -r wall mem < <(tail -1 "$WORK/time")
        walls+=("$wall")
        mems+=("$mem")
        if [ -n "${ANALYSIS_CMD:-}" ]; then
            analyses+=("$(eval "$ANALYSIS_CMD" || true)") # a failed analysis still has its time
        fi
        n=$((n + 1))
        awk -v w="$wall" -v l="$LIMIT" 'BEGIN { exit !(w * 2 > l) }' && break
    done
    WALL=$(printf '%s\n' "${walls[@]}" | median)
    MEM=$(printf '%s\n' "${mems[@]}" | median | awk '{ printf "%.1f", $1 / 1024 }')
    ANALYSIS=$([ ${#analyses[@]} -gt 0 ] && printf '%s\n' "${analyses[@]}" | median || echo "-")
    RUNS=$n
}

echo "| circuit | solver | whole process (s) | analysis (s) | peak memory (MB) | runs |"
echo "|---|---|---:|---:|---:|---:|"
for c in "${CIRCUITS[@]}"; do
    kind=dc
    [ "${c#rc}" = "$c" ] || kind=ac-linear # the RC ladder: linear AC at 1 kHz
    for solver in sparse reference; do
        ANALYSIS_CMD="timeout $LIMIT \"$BIN/bench_side_by_side_circuits\" --time \"$WORK/$c.zsm\" $solver $kind 2>/dev/null | tail -1"
        measure "$BIN/zarosim-cli" analyse "$WORK/$c.zsm" --kind $kind --solver "$solver"
        status=$(head -c 300 "$WORK/err" | head -1)
        [ -z "$status" ] || solver="$solver (message: ${status:0:20}…)"
        printf '| %s | %s | %s | %s | %s | %s |\n' "$c" "$solver" "$WALL" "$ANALYSIS" "$MEM" "$RUNS"
    done
    ANALYSIS_CMD="sed -n 's/^Total analysis time (seconds) = *//p' \"$WORK/out\""
    measure ngspice -b "$WORK/$c.cir"
    printf '| %s | ngspice | %s | %s | %s | %s |\n' "$c" "$WALL" "$ANALYSIS" "$MEM" "$RUNS"
done
