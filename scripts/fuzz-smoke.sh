#!/usr/bin/env bash
# The fuzz targets' smoke run, part of every test run: each target of build/rules runs for about
# 15 seconds over its corpus (tests/fuzz/corpus/<target>, whose finding-* inputs are the
# regressions of earlier findings), as many at a time as there are processors. Any finding -- a
# sanitizer report, a broken rule, a crash, a leak or a hang -- fails the run; its input is kept
# in build/fuzz-smoke/<target>/.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

SECONDS_PER_TARGET=${FUZZ_SMOKE_SECONDS:-15}
JOBS=${FUZZ_SMOKE_JOBS:-$(nproc)}
BUILD=build/rules
OUT=build/fuzz-smoke
TARGETS=$(cd tests/fuzz/targets && ls *.cpp | sed 's/\.cpp$//')

# One target: new inputs go to a scratch folder, the corpus in the repository is only read.
smoke() {
    local target=$1 program=$BUILD/${1}_fuzzer dict=()
    [ -f "tests/fuzz/dict/$target.dict" ] && dict=(-dict="tests/fuzz/dict/$target.dict")
    mkdir -p "$OUT/$target/new"
    if ASAN_OPTIONS=detect_leaks=1:malloc_context_size=10 "$program" \
        -max_total_time="$SECONDS_PER_TARGET" -timeout=30 -rss_limit_mb=3072 -max_len=8192 \
        -print_final_stats=1 -artifact_prefix="$OUT/$target/" "${dict[@]}" \
        "$OUT/$target/new" "tests/fuzz/corpus/$target" >"$OUT/$target/log" 2>&1; then
        echo ok >"$OUT/$target/status"
    else
        echo FINDING >"$OUT/$target/status"
    fi
}

rm -rf "$OUT"
for target in $TARGETS; do
    [ -x "$BUILD/${target}_fuzzer" ] || { echo "$BUILD/${target}_fuzzer is missing: build the rules preset first" >&2; exit 1; }
done
echo "== Fuzz smoke: ${SECONDS_PER_TARGET} s per target, $JOBS at a time"
running=0
for target in $TARGETS; do
    if [ "$running" -ge "$JOBS" ]; then
        wait -n || true
        running=$((running - 1))
    fi
    smoke "$target" &
    running=$((running + 1))
done
wait

failed=()
for target in $TARGETS; do
    log=$OUT/$target/log
    status=$(cat "$OUT/$target/status")
    [ "$status" = ok ] || failed+=("$target")
    runs=$(awk '/stat::number_of_executed_units/{print $2}' "$log")
    speed=$(awk '/stat::average_exec_per_sec/{print $2}' "$log")
    cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1 || true)
    printf '   %-16s %-8s %8s runs %6s/s  %s\n' "$target" "$status" "${runs:-?}" "${speed:-?}" "$cov"
done
if [ ${#failed[@]} -gt 0 ]; then
    for target in "${failed[@]}"; do
        echo "== Finding in $target (input kept in $OUT/$target/):" >&2
        grep -E -A3 'Rule broken|ERROR|runtime error' "$OUT/$target/log" | head -20 >&2 ||
            tail -5 "$OUT/$target/log" >&2
    done
    exit 1
fi
echo "== Fuzz smoke: no findings"
