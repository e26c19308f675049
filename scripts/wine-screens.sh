#!/usr/bin/env bash
# Screenshots of the plug-in's pictures on the real platform: builds the Windows program of
# tests/wine_screens, runs it under Wine on a virtual X display, and photographs each state it
# asks for with xwd into build/screens/<name>.png (cropped to the window). Look at them.
#   SCREENS_DISPLAY  the X display number to use (default 13); an Xvfb is started when none runs.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

export PATH="/usr/lib/wine:$PATH"
extras=()
command -v Xvfb >/dev/null || extras+=(xvfb)
command -v xwd >/dev/null || extras+=(x11-apps)
command -v convert >/dev/null || extras+=(imagemagick)
need_packages wine64 "${extras[@]}"

number="${SCREENS_DISPLAY:-13}"
export DISPLAY=":$number"
out="$PWD/build/screens"
program=build/windows/wine_screens.exe

echo "== Building the screenshot program"
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target wine_screens
mkdir -p "$out"
rm -f "$out"/*.taken "$out"/*.png

xvfb_pid=""
if ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && [ ! -e "/tmp/.X11-unix/X$number" ]; then
    Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    sleep 1
fi

export WINEPREFIX="$PWD/build/wineprefix-screens" WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree=;mshtml="
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

echo "== Preparing the Wine prefix $WINEPREFIX"
wineserver -k >/dev/null 2>&1 || true
wine64 wineboot.exe -i >/dev/null 2>&1
# Without a window manager, Wine otherwise waits for each closing top-level window.
wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w

echo "== Running $program on display $DISPLAY"
export QV_SCREENS
QV_SCREENS=$(wine64 winepath.exe -w "$out" 2>/dev/null | tr -d '\r')
status=1
while IFS= read -r line; do
    line=${line%$'\r'}
    case "$line" in
        SHOT\ *)
            read -r _ name x y w h <<<"$line"
            xwd -root -display "$DISPLAY" -silent -out "$out/$name.xwd"
            convert "$out/$name.xwd" -crop "${w}x${h}+${x}+${y}" +repage "$out/$name.png"
            rm -f "$out/$name.xwd"
            touch "$out/$name.taken"
            echo "   $out/$name.png ($w x $h at $x,$y)"
            ;;
        DONE\ *) status=${line#DONE } ;;
        *) echo "   $line" ;;
    esac
done < <(timeout 300 wine64 "$program" 2>&1)
rm -f "$out"/*.taken
if [ "$status" != 0 ]; then
    echo "The screenshot program failed (status $status)" >&2
    exit 1
fi
echo "== Screenshots in $out"
