#!/usr/bin/env bash
# The printer's dialogs opened and closed many times under Wine (64-bit, headless, in a throw-away
# prefix): the printing preferences and the printer properties, CYCLES times each (200 unless
# given as the first argument), through the core-driver stand-in. The program compares what the
# process holds after the last cycle with what it held after the first (graphics and user objects,
# kernel handles, loaded modules, heaps and their blocks in use) and fails when anything grew.
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

prefix=$(mktemp -d)
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko installers: nothing here needs them, and they would ask for a window.
export WINEDLLOVERRIDES="mscoree=;mshtml="
unset WAYLAND_DISPLAY
# The first display number nobody uses.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$prefix"
}
trap cleanup EXIT

echo "== Preparing a Wine prefix"
wine64 wineboot.exe -i >/dev/null 2>&1
# Without a window manager Wine waits for each closed top-level window unless it is unmanaged.
wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w

echo "== Opening and closing the dialogs $cycles times each under Wine"
soak_started=$SECONDS
status=0
timeout 900 wine64 "$program" "$cycles" 2>&1 | tr -d '\r' || status=$?
echo "== The soak took $((SECONDS - soak_started)) s ($((SECONDS - started)) s with the build and the prefix)"
if [ "$status" -ne 0 ]; then
    echo "The dialogs left something behind under Wine (exit status $status)" >&2
    exit "$status"
fi
