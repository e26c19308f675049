#!/usr/bin/env bash
# winsim held against the real platform: the conformance tests of tests/conformance/, built for
# Windows as winsim_conformance.exe, run under Wine in a throw-away prefix, its dialogs on a
# private virtual screen (Xvfb on a free display: Wine creates no dialog without one). The same
# source runs natively against winsim as the conformance_tests suite. Ends with "N passed,
# M failed" and fails on any failure. Extra arguments go to the program (--gtest_filter=...).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Debian installs the 64-bit loader and server outside the PATH.
export PATH="/usr/lib/wine:$PATH"
need_packages wine64
command -v Xvfb >/dev/null || need_packages xvfb

started=$SECONDS
echo "== Building winsim_conformance.exe"
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target winsim_conformance qvembui qvdrvui
program=build/windows/winsim_conformance.exe

log=$(mktemp)
wine_prefix_throwaway "$log"
# XVFB_DISPLAY=N tries display :N first (on a shared machine, the one you were given).
start_private_xvfb "${XVFB_DISPLAY:-90}"
wine_prefix_boot

echo "== Running $program under Wine"
status=0
timeout 120 wine64 "$program" --gtest_color=no "$@" 2>&1 | tr -d '\r' | tee "$log" || status=$?
passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$log" | tail -1)
failed=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below.*/\1/p' "$log" | tail -1)
ran=$(sed -n 's/^\[==========\] \([0-9]*\) tests\? from .* ran\..*/\1/p' "$log" | tail -1)
skipped=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\?, listed below.*/\1/p' "$log" | tail -1)
echo "== Wine conformance took $((SECONDS - started)) s (build included)"
if [ -z "$ran" ]; then
    echo "0 passed, 1 failed (the program did not finish: exit status $status)"
    exit 1
fi
echo "${passed:-0} passed, ${failed:-0} failed${skipped:+ (${skipped} skipped as known Wine gaps)}"
if [ "$status" -ne 0 ] || [ "${failed:-0}" -ne 0 ]; then
    exit 1
fi
