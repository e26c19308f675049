#!/usr/bin/env bash
# The plug-in's suites again under winsim's other settings of what the platform leaves open
# (winsim/sim/switches.h): registry values enumerated sorted (as Wine does) with CBN_CLOSEUP from
# a dropped list after CBN_SELCHANGE; values enumerated in reverse; and a standard user who
# cannot write HKEY_LOCAL_MACHINE. Needs the native build.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

suites=()
for suite in build/native/*_tests; do
    case "$(basename "$suite")" in
        winsim_tests | conformance_tests) ;; # they set the switches themselves
        *) suites+=("$suite") ;;
    esac
done
status=0
output=$(mktemp)
settings=("WINSIM_REGISTRY_VALUE_ORDER=sorted WINSIM_COMBO_CLOSEUP=after"
    "WINSIM_REGISTRY_VALUE_ORDER=reversed" "WINSIM_STANDARD_USER=1")
for setting in "${settings[@]}"; do
    echo "== The plug-in's suites with $setting"
    for suite in "${suites[@]}"; do
        if ! env $setting "$suite" --gtest_brief=1 >"$output" 2>&1; then
            grep -E '^\[  FAILED  \]|Failure|winsim:' "$output" | head -20
            echo "$(basename "$suite") failed with $setting" >&2
            status=1
        fi
    done
done
rm -f "$output"
exit "$status"
