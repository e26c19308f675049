#!/usr/bin/env bash
# Shows the printing preferences and printer properties in another language under Wine and takes a
# screenshot of each page and dialog: build/wine_locale/<view>.png.
#
#   bash tests/wine_locale/run.sh [X display, default :14] [locale code, default de_de]
#
# Needs the Windows build (qvembui.dll, driverui.dll, qvlocale.dll, wine_locale.exe), wine64, Xvfb,
# xwd and ImageMagick. Uses its own Wine prefix, build/wineprefix-locale, made afresh. With WINE_LOCALE_TREE
# set, each screenshot comes with the window tree (xwininfo) in build/wine_locale/<view>.tree.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
display=${1:-:14}
code=${2:-de_de}
export PATH="/usr/lib/wine:$PATH"
export WINEPREFIX="$PWD/build/wineprefix-locale" WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree=;mshtml="
out="$PWD/build/wine_locale"
mkdir -p "$out/handshake"
rm -f "$out"/handshake/* "$out"/*.png

xvfb_pid=""
if ! xdpyinfo -display "$display" >/dev/null 2>&1; then
    Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    sleep 1
fi
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

# A fresh prefix every time: nothing from an earlier run (printer data, "OutputVersion", the
# registry, catalogues) shapes what is shown.
wineserver -k >/dev/null 2>&1 || true
rm -rf "$WINEPREFIX"
wine64 wineboot.exe -i >/dev/null 2>&1
wineserver -w
# Without a window manager, closing a managed window waits about 2 s for nobody.
wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w

DISPLAY="$display" wine64 build/windows/wine_locale.exe "Z:${out//\//\\}\\handshake" "$code" \
    >"$out/log.txt" 2>&1 &
program=$!
while kill -0 "$program" 2>/dev/null; do
    for ready in "$out"/handshake/*.ready; do
        [ -e "$ready" ] || continue
        view=$(basename "$ready" .ready)
        xwd -root -silent -display "$display" | convert xwd:- -trim +repage "$out/$view.png"
        if [ -n "${WINE_LOCALE_TREE:-}" ]; then xwininfo -root -tree -display "$display" >"$out/$view.tree" 2>&1; fi
        echo "screenshot $out/$view.png"
        rm -f "$ready"
    done
    sleep 0.3
done
status=0
wait "$program" || status=$?
tr -d '\r' <"$out/log.txt" | grep -v '^ok ' || true
exit "$status"
