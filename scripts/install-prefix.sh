#!/usr/bin/env bash
# Installs the Tarvik printer into a Wine prefix that can be used again and again (by default
# build/wineprefix): the driver with qvdrvui.dll as its configuration module and qvembui.dll beside
# it, the maker's sibling libraries where the plug-in looks for them (those that were built), and
# the registry values the plug-in reads. Running it again updates the files and keeps the printer
# with its settings.
#
#   bash scripts/install-prefix.sh [--prefix DIR] [--language CODE] [--dpi N]
#
# --language CODE is kept for the locale library: it stores CODE as "Locale" under
# HKLM\SOFTWARE\Quorvane\TarvikSetup. --dpi N scales the screen as the system's text scaling does
# (96 is 100 %, 144 is 150 %): Wine's "LogPixels", read when its server starts.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Debian installs the 64-bit loader and server outside the PATH.
export PATH="/usr/lib/wine:$PATH"

prefix="$PWD/build/wineprefix"
language=""
dpi=""
while [ $# -gt 0 ]; do
    case "$1" in
        --prefix) prefix="$2"; shift 2 ;;
        --language) language="$2"; shift 2 ;;
        --dpi) dpi="$2"; shift 2 ;;
        *) echo "usage: $0 [--prefix DIR] [--language CODE] [--dpi N]" >&2; exit 2 ;;
    esac
done
mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)

need_packages wine64
out=build/windows
# What the prefix needs, built when missing: the printer link too once its sources exist.
targets=(qvembui.dll qvdrvui.dll qvprinter.exe)
[ -f siblings/virtual_embosser/qvmonext.def ] && targets+=(qvmonext.dll)
for target in "${targets[@]}"; do
    if [ ! -f "$out/$target" ]; then
        echo "== Building ${targets[*]}"
        cmake --preset windows >/dev/null
        cmake --build --preset windows -j"$(nproc)" --target "${targets[@]%.*}" >/dev/null
        break
    fi
done

wine_environment "$prefix"

if [ ! -f "$prefix/system.reg" ]; then
    echo "== Creating the Wine prefix $prefix"
    (unset DISPLAY; wine64 wineboot.exe -i >/dev/null 2>&1)
    wineserver -w
fi

windows=$prefix/drive_c/windows
driver_folder=$windows/system32/spool/drivers/x64/3
install_folder='C:\Program Files\Quorvane'

echo "== Installing the printer \"Tarvik Embosser\""
wine64 "$out/qvprinter.exe" install "$(winepath -w "$PWD/$out")\\" 2>/dev/null | tr -d '\r'
wineserver -w
# The spooler keeps a driver's files once they are installed: a rebuilt DLL replaces them here.
cp -f $out/qvdrvui.dll $out/qvembui.dll "$driver_folder/"

# The sibling libraries that were built: the printer link and the locale library where the plug-in
# loads them (the driver's folder), the locale and peripherals libraries in the system folder, the
# locale catalogues under the install folder.
for library in qvmonext.dll qvlocale.dll; do
    if [ -f "$out/$library" ]; then
        cp -f "$out/$library" "$driver_folder/"
        echo "   $library in the printer driver's folder"
    fi
done
for library in qvlocale.dll qvdevapi.dll; do
    if [ -f "$out/$library" ]; then
        cp -f "$out/$library" "$windows/system32/"
        echo "   $library in the system folder"
    fi
done
if [ -d "$out/locale" ]; then
    catalogues="$prefix/drive_c/Program Files/Quorvane/Tarvik/Tarvik/Locale"
    mkdir -p "$catalogues"
    cp -rf "$out/locale/." "$catalogues/"
    echo "   the locale catalogues in $install_folder\\Tarvik\\Tarvik\\Locale"
fi
mkdir -p "$prefix/drive_c/Program Files/Quorvane"

# One registry import: each reg.exe start costs about a second.
settings=$(mktemp --suffix=.reg)
trap 'rm -f "$settings"' EXIT
{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    # Without a window manager, Wine waits about 2 s whenever a managed window closes.
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorvane]\r\n"QVDir"="%s"\r\n\r\n' \
        "${install_folder//\\/\\\\}"
    if [ -n "$dpi" ]; then
        for key in 'HKEY_CURRENT_USER\Control Panel\Desktop' 'HKEY_CURRENT_CONFIG\Software\Fonts'; do
            printf '[%s]\r\n"LogPixels"=dword:%08x\r\n\r\n' "$key" "$dpi"
        done
    fi
    if [ -n "$language" ]; then
        printf '[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorvane\\TarvikSetup]\r\n"Locale"="%s"\r\n\r\n' \
            "$language"
    fi
} >"$settings"
wine64 reg import "$(winepath -w "$settings")" >/dev/null 2>&1
wineserver -w
echo "== The prefix is ready: WINEPREFIX=$prefix"
