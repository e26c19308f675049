#!/usr/bin/env bash
# The Windows end to end: the Tarvik printer installed in a throw-away Wine prefix by
# scripts/install-prefix.sh, then build/windows/e2e_tests.exe opens its printing preferences and
# properties through Wine's spooler and acts on the pages as a person does. A second run without
# qvmonext.dll checks the pages without a printer link; first, qvdrvui.dll must export exactly the
# entry points the spooler looks up. Every flow ends by comparing what the process holds (printer
# handles, kernel handles and registry keys, GDI and user objects, libraries and their references,
# activations, heap blocks: tests/wine_common/process_counts.h) with what it held before it. One
# line per check; fails when any failed.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Debian installs the 64-bit loader and server outside the PATH.
export PATH="/usr/lib/wine:$PATH"
need_packages wine64

started=$SECONDS
build_preset windows >/dev/null
program=build/windows/e2e_tests.exe
if [ ! -f "$program" ]; then
    echo "$program was not built: tests/e2e/ or host/config_module/ is missing" >&2
    exit 1
fi

# The configuration module exports what the spooler looks up and imports only system DLLs.
exports=$(x86_64-w64-mingw32-objdump -p build/windows/qvdrvui.dll |
    awk '/\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/^[ \t]*\[/{print $NF} t&&/^$/{t=0}' |
    sort | tr '\n' ' ')
if [ "$exports" != "DrvDeviceCapabilities DrvDevicePropertySheets DrvDocumentPropertySheets " ]; then
    echo "qvdrvui.dll exports '$exports'" >&2
    exit 1
fi
for name in $(x86_64-w64-mingw32-objdump -p build/windows/qvdrvui.dll | awk '/DLL Name:/{print tolower($3)}'); do
    case " comctl32.dll kernel32.dll msvcrt.dll user32.dll gdi32.dll advapi32.dll ole32.dll winspool.drv " in
        *" $name "*) ;;
        *) echo "qvdrvui.dll imports from $name, not a system library" >&2; exit 1 ;;
    esac
done
echo "== qvdrvui.dll exports exactly: $exports"

wine_prefix_throwaway

bash scripts/install-prefix.sh --prefix "$prefix"
# Headless: Wine's null display driver gives the sheets real windows that nobody sees; without a
# display and without it, creating a top-level window fails with 1400.
wine64 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d null /f >/dev/null 2>&1
wineserver -k

status=0
echo "== Running $program under Wine"
timeout 120 wine64 "$program" 2>/dev/null | tr -d '\r' || status=$?

echo "== Running $program without qvmonext.dll"
rm -f "$prefix/drive_c/windows/system32/spool/drivers/x64/3/qvmonext.dll"
timeout 120 wine64 "$program" --without-link 2>/dev/null | tr -d '\r' || status=$?

echo "== The end to end took $((SECONDS - started)) s (build included)"
if [ "$status" -ne 0 ]; then
    echo "The end-to-end checks failed under Wine (exit status $status)" >&2
    exit "$status"
fi
