#!/usr/bin/env bash
# The long fuzz run: every target (or those named) for a fixed number of executions.
#
#   bash scripts/fuzz.sh                      # 10 million executions per target
#   bash scripts/fuzz.sh -runs=200000         # a shorter sample
#   bash scripts/fuzz.sh -runs=1000000 typed_texts paper_names
#   bash scripts/fuzz.sh -fork=8 -ignore_crashes=0   # any other -flag goes to libFuzzer
#
# Builds the asan preset (clang, AddressSanitizer, UndefinedBehaviorSanitizer, the libFuzzer
# targets) when needed. Each target's corpus grows in build/fuzz-corpus/<target>, seeded from
# tests/fuzz/corpus/<target>; findings are kept in build/fuzz-findings/<target>/. At the end it
# prints, per target, the executions, their rate, the coverage (cov: code edges, ft: features)
# and the findings. A finding is fixed in the plug-in and its input added to
# tests/fuzz/corpus/<target>/ as finding-<what>, so that the smoke run repeats it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

RUNS=10000000
TARGETS=()
FLAGS=()
for argument in "$@"; do
    case "$argument" in
        -runs=*) RUNS=${argument#-runs=} ;;
        -*) FLAGS+=("$argument") ;;
        *) TARGETS+=("$argument") ;;
    esac
done
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=($(cd tests/fuzz/targets && ls *.cpp | sed 's/\.cpp$//'))

need_packages
build_preset asan >/dev/null

summary=()
found=0
for target in "${TARGETS[@]}"; do
    corpus=build/fuzz-corpus/$target
    findings=build/fuzz-findings/$target
    log=build/fuzz-findings/$target.log
    mkdir -p "$corpus" "$findings"
    dict=()
    [ -f "tests/fuzz/dict/$target.dict" ] && dict=(-dict="tests/fuzz/dict/$target.dict")
    echo "== $target: $RUNS executions"
    start=$(date +%s)
    status=ok
    # Findings end the run of that target; the others still run. Allocation stacks are not
    # recorded (a third faster); a finding is replayed for its full report:
    #   build/asan/<target>_fuzzer build/fuzz-findings/<target>/<file>
    ASAN_OPTIONS=detect_leaks=1:malloc_context_size=0 "build/asan/${target}_fuzzer" \
        -runs="$RUNS" -timeout=30 -rss_limit_mb=3072 -max_len=8192 -print_final_stats=1 \
        -artifact_prefix="$findings/" "${dict[@]}" ${FLAGS[@]+"${FLAGS[@]}"} \
        "$corpus" "tests/fuzz/corpus/$target" \
        >"$log" 2>&1 || status=FINDING
    seconds=$(($(date +%s) - start))
    runs=$(awk '/stat::number_of_executed_units/{print $2}' "$log")
    speed=$(awk '/stat::average_exec_per_sec/{print $2}' "$log")
    cov=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1 || true)
    kept=$(ls "$findings" | wc -l)
    [ "$status" = ok ] || found=1
    summary+=("$(printf '%-16s %-8s %10s runs %6s/s %6s s  %-20s findings: %s' \
        "$target" "$status" "${runs:-?}" "${speed:-?}" "$seconds" "$cov" "$kept")")
done
echo "== Summary"
printf '   %s\n' "${summary[@]}"
if [ "$found" -ne 0 ]; then
    echo "== Findings are in build/fuzz-findings/<target>/ (logs beside them)" >&2
    exit 1
fi
