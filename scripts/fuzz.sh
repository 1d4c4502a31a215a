#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/ and runs each for a bounded time.
# Fails on any crash, sanitizer report, leak, hang (timeout) or out-of-memory.
#   ./scripts/fuzz.sh [SECONDS] [TARGET...]   SECONDS per target (default 60),
#                                             every target unless named
#   ./scripts/fuzz.sh --seeds                 rewrites fuzz/corpus/ from zaro_fuzz_seeds
# Targets: expression, stream_records, rich_text, model_file, clipboard_paste.
# Inputs that fail are kept in build-fuzz/artifacts/<target>/; replay one with
#   build-fuzz/bin/fuzz_<target> FILE
set -euo pipefail
ZARO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$ZARO_ROOT/scripts/deps.sh"
zaro_ensure_packages "${ZARO_BUILD_PACKAGES[@]}" "${ZARO_CLANG_PACKAGES[@]}"

BUILD="$ZARO_ROOT/build-fuzz"
ALL_TARGETS=(expression stream_records rich_text model_file clipboard_paste)

zaro_configure "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DZARO_FUZZ=ON -DZARO_TESTS=OFF -DZARO_WERROR=ON
cmake --build "$BUILD" --target zaro_fuzzers

# Inputs of zaro_fuzz_seeds, with the example circuits and their devices.
# Inputs kept from findings (regression-*) are not the seed writer's and stay.
write_seeds() {
    local out=$1
    local examples=()
    shopt -s nullglob
    examples=("$ZARO_ROOT"/examples/*.zsm)
    shopt -u nullglob
    if [ -d "$out" ]; then
        find "$out" -type f ! -name 'regression-*' -delete
    fi
    "$BUILD/bin/zaro_fuzz_seeds" "$out" "${examples[@]}"
}

if [ "${1:-}" = "--seeds" ]; then
    write_seeds "$ZARO_ROOT/fuzz/corpus"
    echo "Seed corpora written to fuzz/corpus/"
    exit 0
fi

SECONDS_EACH=60
if [[ "${1:-}" =~ ^[0-9]+$ ]]; then
    SECONDS_EACH=$1
    shift
fi
TARGETS=("$@")
[ ${#TARGETS[@]} -eq 0 ] && TARGETS=("${ALL_TARGETS[@]}")

write_seeds "$BUILD/seeds"

export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

failures=0
for target in "${TARGETS[@]}"; do
    program="$BUILD/bin/fuzz_$target"
    if [ ! -x "$program" ]; then
        echo "fuzz: no target named $target" >&2
        exit 2
    fi
    work="$BUILD/corpus/$target"
    artifacts="$BUILD/artifacts/$target"
    log="$BUILD/logs/$target.log"
    mkdir -p "$work" "$artifacts" "$(dirname "$log")"
    options=(-max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 -detect_leaks=1
             -print_final_stats=1 -artifact_prefix="$artifacts/")
    [ -f "$ZARO_ROOT/fuzz/$target.dict" ] && options+=(-dict="$ZARO_ROOT/fuzz/$target.dict")
    corpora=("$work" "$BUILD/seeds/$target")
    [ -d "$ZARO_ROOT/fuzz/corpus/$target" ] && corpora+=("$ZARO_ROOT/fuzz/corpus/$target")

    echo "fuzz: $target for ${SECONDS_EACH} s"
    rc=0
    "$program" "${options[@]}" "${corpora[@]}" >"$log" 2>&1 || rc=$?
    # A sanitizer that only warned is a finding too.
    if [ $rc -eq 0 ] && grep -qE "ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:" "$log"; then
        rc=1
    fi
    runs=$(grep -oE "stat::number_of_executed_units: *[0-9]+" "$log" | grep -oE "[0-9]+$" || true)
    if [ $rc -ne 0 ]; then
        failures=$((failures + 1))
        echo "fuzz: $target FAILED (exit $rc); inputs kept in $artifacts" >&2
        grep -vE "^#[0-9]+ +(NEW|REDUCE|pulse)" "$log" | tail -60 >&2
    else
        echo "fuzz: $target clean after ${runs:-?} inputs"
    fi
done

if [ $failures -ne 0 ]; then
    echo "fuzz: $failures of ${#TARGETS[@]} targets found faults" >&2
    exit 1
fi
echo "fuzz: all ${#TARGETS[@]} targets clean, ${SECONDS_EACH} s each"
