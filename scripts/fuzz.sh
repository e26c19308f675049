#!/usr/bin/env bash
# The long fuzz run: every target (or those named) until it has run 10 million executions.
#
#   bash scripts/fuzz.sh                       # each target up to 10 million executions in all
#   bash scripts/fuzz.sh -max_total_time=1800  # at most half an hour per target this time
#   bash scripts/fuzz.sh -runs=200000 typed_texts paper_names   # a sample of that many
#   bash scripts/fuzz.sh --ledger              # only print what has run so far
#   bash scripts/fuzz.sh -fork=2 -ignore_crashes=0   # any other -flag goes to libFuzzer
#
# Builds the rules preset (clang, AddressSanitizer, UndefinedBehaviorSanitizer, the libFuzzer
# targets) when needed. Each target's corpus grows in build/fuzz-corpus/<target>, seeded from
# tests/fuzz/corpus/<target>; findings are kept in build/fuzz-findings/<target>/. The targets that
# open pages and dialogs run a few hundred inputs a second, so the run may be spread over several
# sittings: every sitting of a target (interrupted ones too) is added to its ledger,
# build/fuzz-ledger/<target>.tsv (date, executions, seconds, coverage, findings), and the next
# sitting runs what is left of the 10 million, on the corpus grown so far (each sitting's log is
# kept beside the findings). At the end it prints,
# per target, this sitting's executions, rate, coverage (cov: code edges, ft: features) and
# findings, and the ledger's total. A finding is fixed in the plug-in and its input added to
# tests/fuzz/corpus/<target>/ as finding-<what>, so that the smoke run repeats it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

GOAL=10000000
RUNS=
TARGETS=()
FLAGS=()
LEDGER_ONLY=0
for argument in "$@"; do
    case "$argument" in
        --ledger) LEDGER_ONLY=1 ;;
        -runs=*) RUNS=${argument#-runs=} ;;
        -*) FLAGS+=("$argument") ;;
        *) TARGETS+=("$argument") ;;
    esac
done
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=($(cd tests/fuzz/targets && ls *.cpp | sed 's/\.cpp$//'))
mkdir -p build/fuzz-ledger

ledger_total() { # executions recorded for a target so far
    awk -F'\t' '{s += $2} END {print s + 0}' "build/fuzz-ledger/$1.tsv" 2>/dev/null || echo 0
}
ledger_findings() {
    awk -F'\t' '{s += $5} END {print s + 0}' "build/fuzz-ledger/$1.tsv" 2>/dev/null || echo 0
}
print_ledger() {
    echo "== Ledger (every sitting so far; goal $GOAL executions per target)"
    for target in "${TARGETS[@]}"; do
        printf '   %-16s %10s executions in %3s sittings, findings: %s\n' "$target" \
            "$(ledger_total "$target")" "$(cat "build/fuzz-ledger/$target.tsv" 2>/dev/null | wc -l)" \
            "$(ledger_findings "$target")"
    done
}
if [ "$LEDGER_ONLY" -eq 1 ]; then
    print_ledger
    exit 0
fi

need_packages
build_preset rules >/dev/null

# An interrupted sitting still goes into the ledger: libFuzzer stops on the signal too.
trap 'echo "== Interrupted: recording this sitting" >&2' INT TERM

summary=()
found=0
for target in "${TARGETS[@]}"; do
    runs_wanted=$RUNS
    if [ -z "$runs_wanted" ]; then
        runs_wanted=$((GOAL - $(ledger_total "$target")))
        if [ "$runs_wanted" -le 0 ]; then
            summary+=("$(printf '%-16s done: the ledger holds %s executions' "$target" "$(ledger_total "$target")")")
            continue
        fi
    fi
    corpus=build/fuzz-corpus/$target
    findings=build/fuzz-findings/$target
    log=build/fuzz-findings/$target-$(date -u +%Y%m%dT%H%M%S).log
    mkdir -p "$corpus" "$findings"
    dict=()
    [ -f "tests/fuzz/dict/$target.dict" ] && dict=(-dict="tests/fuzz/dict/$target.dict")
    echo "== $target: $runs_wanted executions"
    start=$(date +%s)
    before=$(ls "$findings" | wc -l)
    status=ok
    # Findings end the run of that target; the others still run. Allocation stacks are not
    # recorded, and freed memory is kept from reuse for 64 MB of allocations (a third faster
    # together); a finding is replayed for its full report:
    #   build/rules/<target>_fuzzer build/fuzz-findings/<target>/<file>
    ASAN_OPTIONS=detect_leaks=1:malloc_context_size=0:quarantine_size_mb=64 \
        "build/rules/${target}_fuzzer" \
        -runs="$runs_wanted" -timeout=30 -rss_limit_mb=3072 -max_len=8192 -print_final_stats=1 \
        -artifact_prefix="$findings/" "${dict[@]}" ${FLAGS[@]+"${FLAGS[@]}"} \
        "$corpus" "tests/fuzz/corpus/$target" \
        >"$log" 2>&1 || status=FINDING
    seconds=$(($(date +%s) - start))
    # libFuzzer's closing statistics count the executions; an interrupted sitting has none, and
    # its last status line counts them instead.
    runs=$(awk '/stat::number_of_executed_units/{print $2}' "$log")
    [ -n "$runs" ] || runs=$(grep -aoE '^#[0-9]+' "$log" | tail -1 | tr -d '#')
    speed=$(awk '/stat::average_exec_per_sec/{print $2}' "$log")
    [ -n "$speed" ] || speed=$((${runs:-0} / (seconds > 0 ? seconds : 1)))
    cov=$(grep -ao 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1 || true)
    kept=$(($(ls "$findings" | wc -l) - before))
    if grep -aq 'run interrupted' "$log"; then
        status=stopped
    elif [ "$status" = FINDING ] || [ "$kept" -gt 0 ]; then
        status=FINDING
        found=1
    fi
    printf '%s\t%s\t%s\t%s\t%s\n' "$(date -u +%FT%TZ)" "${runs:-0}" "$seconds" "$cov" "$kept" \
        >>"build/fuzz-ledger/$target.tsv"
    summary+=("$(printf '%-16s %-8s %10s runs %6s/s %6s s  %-20s findings: %s' \
        "$target" "$status" "${runs:-?}" "${speed:-?}" "$seconds" "$cov" "$kept")")
    [ "$status" = stopped ] && break
done
echo "== This sitting"
printf '   %s\n' "${summary[@]}"
print_ledger
if [ "$found" -ne 0 ]; then
    echo "== Findings are in build/fuzz-findings/<target>/ (logs beside them)" >&2
    exit 1
fi
