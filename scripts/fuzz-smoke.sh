#!/usr/bin/env bash
# The fuzz targets' smoke run, part of every test run: each target of build/asan runs for about
# 15 seconds over its corpus (tests/fuzz/corpus/<target>, whose finding-* inputs are the
# regressions of earlier findings). Any finding -- a sanitizer report, a broken rule, a crash,
# a leak or a hang -- fails the run; its input is kept in build/fuzz-smoke/<target>/.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

SECONDS_PER_TARGET=${FUZZ_SMOKE_SECONDS:-15}
BUILD=build/asan
OUT=build/fuzz-smoke
TARGETS=$(cd tests/fuzz/targets && ls *.cpp | sed 's/\.cpp$//')

rm -rf "$OUT"
failed=()
echo "== Fuzz smoke: ${SECONDS_PER_TARGET} s per target"
for target in $TARGETS; do
    program=$BUILD/${target}_fuzzer
    [ -x "$program" ] || { echo "$program is missing: build the asan preset first" >&2; exit 1; }
    mkdir -p "$OUT/$target/new"
    dict=()
    [ -f "tests/fuzz/dict/$target.dict" ] && dict=(-dict="tests/fuzz/dict/$target.dict")
    # New inputs go to the scratch folder; the corpus in the repository is only read.
    if ASAN_OPTIONS=detect_leaks=1:malloc_context_size=10 "$program" \
        -max_total_time="$SECONDS_PER_TARGET" -timeout=30 -rss_limit_mb=3072 -max_len=8192 \
        -print_final_stats=1 -artifact_prefix="$OUT/$target/" "${dict[@]}" \
        "$OUT/$target/new" "tests/fuzz/corpus/$target" >"$OUT/$target/log" 2>&1; then
        status=ok
    else
        status=FINDING
        failed+=("$target")
    fi
    runs=$(awk '/stat::number_of_executed_units/{print $2}' "$OUT/$target/log")
    speed=$(awk '/stat::average_exec_per_sec/{print $2}' "$OUT/$target/log")
    cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$OUT/$target/log" | tail -1 || true)
    printf '   %-16s %-8s %8s runs %6s/s  %s\n' "$target" "$status" "${runs:-?}" "${speed:-?}" "$cov"
done
if [ ${#failed[@]} -gt 0 ]; then
    for target in "${failed[@]}"; do
        echo "== Finding in $target (input kept in $OUT/$target/):" >&2
        grep -E -A3 'Rule broken|ERROR:|runtime error|winsim:' "$OUT/$target/log" | head -20 >&2
    done
    exit 1
fi
echo "== Fuzz smoke: no findings"
