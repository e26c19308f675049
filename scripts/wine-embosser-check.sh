#!/usr/bin/env bash
# The virtual embosser's Windows build on the real platform: builds qvmonext.dll and its check
# program, installs the DLL in the printer driver directory of a throw-away Wine prefix (where the
# plug-in loads it from) and runs the program there, headless, once per step: a fresh embosser
# whose applied settings survive a new load of the DLL; a new process that finds them; two
# processes changing it at once; a state changed by scripts/embosser_state.py. One PASS or FAIL
# line per check, then "N passed, M failed".
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

export PATH="/usr/lib/wine:$PATH"
need_packages wine64

build_preset windows
dll=build/windows/qvmonext.dll
program=build/windows/wine_embosser_check.exe
for built in "$dll" "$program"; do
    if [ ! -f "$built" ]; then
        echo "$built was not built" >&2
        exit 1
    fi
done

# The DLL exports exactly the printer link's entry points.
exports=$(x86_64-w64-mingw32-objdump -p "$dll" | awk '/\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/^[ \t]*\[/{print $NF} t&&/^$/{t=0}' | sort | tr '\n' ' ')
expected="DllExportGetPrinterErrorText DllExportGetPrinterSettings DllExportGetPrinterStatus DllExportLoadTable DllExportPrinterService DllExportSetPrinterParameter DllExportUpdatePrinter "
if [ "$exports" != "$expected" ]; then
    echo "qvmonext.dll exports '$exports', expected exactly '$expected'" >&2
    exit 1
fi
echo "== qvmonext.dll exports exactly the seven printer link entry points"

wine_prefix_throwaway
wine_prefix_boot
drivers="$prefix/drive_c/windows/system32/spool/drivers/x64/3"
mkdir -p "$drivers"
cp "$dll" "$drivers/"
cp "$program" "$prefix/drive_c/"

log=$(mktemp)
run() {
    timeout 120 wine64 'C:\wine_embosser_check.exe' "$1" 2>&1 | tr -d '\r' | tee -a "$log" || true
}
run first
run second
# Two programs changing the embosser at the same moment lose nothing.
run hammer &
run hammer
wait
run counted
# A tester's script jams the paper and takes the ink unit away.
python3 scripts/embosser_state.py --prefix "$prefix" set status=paper-jam ink.unit=0
run scripted

passed=$(grep -c '^PASS ' "$log" || true)
failed=$(grep -c '^FAIL ' "$log" || true)
# A step that died before its closing line counts as a failure too.
closed=$(grep -c ': [0-9]* passed, [0-9]* failed$' "$log" || true)
rm -f "$log"
[ "$closed" -eq 6 ] || failed=$((failed + 6 - closed))
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
