#!/usr/bin/env bash
# The printer's dialogs opened and closed many times under Wine (64-bit, headless, in a throw-away
# prefix): the printing preferences and the printer properties, CYCLES times each (200 unless
# given as the first argument), through the core-driver stand-in. The program compares what the
# process holds after the last cycle with what it held after the first (printer handles, kernel
# handles and registry keys, graphics and user objects, loaded modules and library references,
# activations, heaps and their blocks in use: tests/wine_common/process_counts.h) and fails when
# anything grew at all (the platform alone doing the same is measured beside it, for the diagnosis).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

cycles=${1:-200}
# Debian installs the 64-bit loader and server outside the PATH.
export PATH="/usr/lib/wine:$PATH"
need_packages wine64
command -v Xvfb >/dev/null || need_packages xvfb

started=$SECONDS
echo "== Building the soak program"
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target wine_soak
program=build/windows/wine_soak.exe
if [ ! -f "$program" ]; then
    echo "$program was not built: host/ or tests/wine_soak/ is missing" >&2
    exit 1
fi

wine_prefix_throwaway
start_private_xvfb 90 1280x1024
wine_prefix_boot

echo "== Opening and closing the dialogs $cycles times each under Wine"
soak_started=$SECONDS
status=0
timeout 900 wine64 "$program" "$cycles" 2>&1 | tr -d '\r' || status=$?
echo "== The soak took $((SECONDS - soak_started)) s ($((SECONDS - started)) s with the build and the prefix)"
if [ "$status" -ne 0 ]; then
    echo "The dialogs left something behind under Wine (exit status $status)" >&2
    exit "$status"
fi
