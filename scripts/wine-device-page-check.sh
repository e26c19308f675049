#!/usr/bin/env bash
# The device page on the real platform: builds the page's check program with qvembui.dll, the
# test configuration module and the virtual embosser as printer link, and runs it under Wine on
# a headless X display (Xvfb) in a throw-away prefix. The program shows the page in a real
# property sheet, changes items through its inputs, applies, and prints one PASS or FAIL line per
# check and a closing "N passed, M failed". Screenshots land in build/device-page-shots/ as PNG.
#
# DISPLAY_NUMBER picks the X display, or the first free one after it (default 12).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

export PATH="/usr/lib/wine:$PATH"
need_packages wine64
command -v Xvfb >/dev/null || need_packages xvfb
command -v convert >/dev/null || need_packages imagemagick

started=$SECONDS
echo "== Building the device page's check program"
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target wine_device_page
program=build/windows/wine_device_page/wine_device_page.exe
shots=$PWD/build/device-page-shots
rm -rf "$shots" && mkdir -p "$shots"

wine_prefix_throwaway
start_private_xvfb "${DISPLAY_NUMBER:-12}"
wine_prefix_boot

echo "== Running $program under Wine"
status=0
timeout 300 wine64 "$program" "Z:${shots//\//\\}" 2>&1 | tr -d '\r' | sed 's/^wine_device_page: //' ||
    status=$?
for bitmap in "$shots"/*.bmp; do
    [ -e "$bitmap" ] && convert "$bitmap" "${bitmap%.bmp}.png" && rm -f "$bitmap"
done
echo "== Screenshots in $shots"
echo "== Device page check took $((SECONDS - started)) s (build included)"
if [ "$status" -ne 0 ]; then
    echo "The device page failed its checks under Wine (exit status $status)" >&2
    exit "$status"
fi
