#!/usr/bin/env bash
# The main job: builds qvembui.dll, the driver's configuration module and the virtual embosser for
# Windows, installs the "Tarvik Embosser" printer into the Wine prefix build/wineprefix, and opens
# its printing preferences and its properties from a Windows program as an application and the
# printer folder do. A scripted person works through the pages; every page and dialog is
# photographed, in English into build/screens/en/ and then, with the printer installed again for
# German ("Locale" de_de, qvlocale.dll and its catalogue), into build/screens/de/, and in English on
# a screen scaled to 150 % (144 dots per inch) into build/screens/en150/; index.html shows each
# picture of the three runs side by side, with what was stored.
#
#   bash scripts/run-main.sh                 the tour and its gallery
#   bash scripts/run-main.sh --interactive   the same, then the printing preferences stay open on
#                                            your display ($DISPLAY) until you close them
#
# The windows go to $DISPLAY when it is set, otherwise to an Xvfb of our own (MAIN_DISPLAY=N picks
# its number).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

mode=gallery
case "${1:-}" in
    "") ;;
    --interactive) mode=interactive ;;
    *) echo "usage: $0 [--interactive]" >&2; exit 2 ;;
esac

started=$(date +%s.%N)
step_started=$started
step_title=""
# One line per step: its title when it starts, its time when it ends.
elapsed_since() { awk -v a="$1" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }'; }
end_step() {
    [ -n "$step_title" ] && echo "   done in $(elapsed_since "$step_started") s"
    step_title=""
}
step() {
    end_step
    step_title=$1
    step_started=$(date +%s.%N)
    echo "[$(printf '%6s' "$(elapsed_since "$started")") s] $1"
}

if [ "$mode" = interactive ] && [ -z "${DISPLAY:-}" ]; then
    echo "--interactive needs a display: set DISPLAY to the X display you look at" >&2
    exit 2
fi

export PATH="/usr/lib/wine:$PATH"
extras=()
command -v Xvfb >/dev/null || extras+=(xvfb)
command -v xwd >/dev/null || extras+=(x11-apps)
need_packages wine64 "${extras[@]}"

log=build/run-main.log
mkdir -p build
: >"$log"
step "Building qvembui.dll, qvdrvui.dll, qvmonext.dll, qvlocale.dll and the tour program (preset windows)"
if ! { cmake --preset windows && cmake --build --preset windows -j"$(nproc)" --target \
    qvembui qvdrvui qvprinter qvmonext qvlocale gallery; } >>"$log" 2>&1; then
    tail -30 "$log" >&2
    echo "The Windows build failed: $log" >&2
    exit 1
fi
check_dll_exports | sed 's/^== /   /'
check_dll_imports | sed 's/^== /   /'

prefix="$PWD/build/wineprefix"
wine_environment "$prefix"
printer_key='HKLM\System\CurrentControlSet\Control\Print\Printers\Tarvik Embosser'

wine_cleanup_on_exit
# Every Wine process of the run, the installation's too, gets the display: a desktop process
# started without one leaves the server unable to create windows afterwards.
if [ -n "${DISPLAY:-}" ]; then
    step "Opening the windows on your display $DISPLAY"
else
    step "Starting a virtual display (Xvfb)"
    start_private_xvfb "${MAIN_DISPLAY:-99}"
    echo "   on $DISPLAY"
fi

screens="$PWD/build/screens"
rm -rf "$screens"
status=0

# One tour in one language: the printer installed afresh (with "Locale" = $2 when given, on a
# screen of $3 dots per inch) and an embosser as it left the factory, then
# build/windows/gallery.exe; its pictures go to build/screens/$1/.
tour() {
    local folder="$screens/$1" language=$2 dpi=$3
    step "Installing the printer \"Tarvik Embosser\" into $prefix${language:+ with Locale \"$language\"} at $dpi dots per inch"
    if [ -f "$prefix/system.reg" ]; then
        wineserver -k >/dev/null 2>&1 || true
        # The printer and the language of the run before go in one registry import.
        local removal
        removal=$(mktemp --suffix=.reg)
        printf 'Windows Registry Editor Version 5.00\r\n\r\n[-%s]\r\n\r\n[-%s]\r\n' \
            "HKEY_LOCAL_MACHINE\\${printer_key#HKLM\\}" \
            'HKEY_LOCAL_MACHINE\SOFTWARE\Quorvane\TarvikSetup' >"$removal"
        wine64 reg import "$(winepath -w "$removal")" >/dev/null 2>&1 || true
        rm -f "$removal"
    fi
    bash scripts/install-prefix.sh --prefix "$prefix" ${language:+--language "$language"} --dpi "$dpi" \
        >>"$log" 2>&1 || {
        tail -20 "$log" >&2
        exit 1
    }
    python3 scripts/embosser_state.py --prefix "$prefix" reset >>"$log" 2>&1
    wineserver -w
    # The display driver is chosen when the server starts.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w

    mkdir -p "$folder"
    step "The tour ($1): build/windows/gallery.exe opens the sheets, a person acts on them"
    timeout 90 wine64 build/windows/gallery.exe "$(winepath -w "$folder")\\" \
        2>>"$log" | tr -d '\r' | sed 's/^/   /' || status=$?
    wineserver -w
    # The pictures become PNGs here, with Python's zlib: a command named "convert" may be
    # something other than ImageMagick. A picture of one colour shows nothing.
    python3 - "$folder" <<'PYTHON' || status=1
import collections, glob, os, struct, sys, zlib
blank = False
for bmp in sorted(glob.glob(os.path.join(sys.argv[1], "*.bmp"))):
    data = open(bmp, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iihH", data, 18)
    assert bits == 24, "%s: %d bits per pixel" % (bmp, bits)
    step = (width * 3 + 3) & ~3
    rows = [data[offset + y * step:offset + y * step + width * 3] for y in range(abs(height))]
    if height > 0:  # bottom-up
        rows.reverse()
    raw = bytearray()
    for row in rows:  # each row: no filter, then red, green, blue of every pixel
        rgb = bytearray(row)
        rgb[0::3], rgb[2::3] = row[2::3], row[0::3]
        raw += b"\0" + rgb
    chunk = lambda kind, body: (struct.pack(">I", len(body)) + kind + body +
                                struct.pack(">I", zlib.crc32(kind + body)))
    png = bmp[:-4] + ".png"
    with open(png, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" +
                chunk(b"IHDR", struct.pack(">IIBBBBB", width, abs(height), 8, 2, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))
    os.remove(bmp)
    counts = collections.Counter(b"".join(rows))
    total = sum(counts.values())
    mean = sum(v * n for v, n in counts.items()) / total
    if sum(n * (v - mean) ** 2 for v, n in counts.items()) / total < (0.02 * 255) ** 2:
        print("   BLANK: %s/%s" % (os.path.basename(sys.argv[1]), os.path.basename(png)))
        blank = True
sys.exit(1 if blank else 0)
PYTHON
}

tour en150 "" 144
tour en "" 96
tour de de_de 96

step "Making the gallery build/screens/index.html"
summary=$(python3 scripts/gallery_page.py "$screens" en de en150) || status=1
echo "   $(ls "$screens"/*/*.png 2>/dev/null | wc -l) pictures; open file://$screens/index.html"
end_step
echo
echo "What was stored (English run | German run | English at 150 % run)"
echo "$summary"

if [ "$status" -ne 0 ]; then
    echo "The tour did not finish (status $status): $log" >&2
    exit "$status"
fi

if [ "$mode" = interactive ]; then
    echo
    echo "The printing preferences (in German, as the last tour left the printer) are open on" \
        "$DISPLAY: use them by hand, then close them."
    wine64 build/windows/qvprinter.exe preferences 2>>"$log" | tr -d '\r'
    echo "Open them again with:"
    echo "   export PATH=/usr/lib/wine:\$PATH WINEPREFIX=$prefix"
    echo "   wine64 build/windows/qvprinter.exe preferences   # or: properties"
fi
echo "== The main job took $(elapsed_since "$started") s"
