#!/usr/bin/env bash
# The Windows build on the real platform: builds qvembui.dll with its check program and runs the
# program under Wine (64-bit, headless, in a throw-away prefix). The program loads the DLL, calls
# its interface as the core printer driver does, installs a Tarvik printer on Wine's spooler and
# opens its printing preferences; it prints one line per check and fails when any check failed.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Debian installs the 64-bit loader and server outside the PATH.
export PATH="/usr/lib/wine:$PATH"
need_packages wine64

started=$SECONDS
build_preset windows
program=build/windows/wine_check.exe
if [ ! -f "$program" ]; then
    echo "$program was not built: host/ or tests/wine/ is missing" >&2
    exit 1
fi

wine_prefix_throwaway
wine_prefix_boot

echo "== Running $program under Wine"
status=0
timeout 300 wine64 "$program" 2>&1 | tr -d '\r' || status=$?
echo "== Wine check took $((SECONDS - started)) s (build included)"
if [ "$status" -ne 0 ]; then
    echo "The Windows build failed its checks under Wine (exit status $status)" >&2
    exit "$status"
fi
