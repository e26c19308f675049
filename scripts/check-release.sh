#!/usr/bin/env bash
# What we ship. The DLL (preset "release", build/release/qvembui.dll) exports exactly
# DllGetClassObject and DllCanUnloadNow, imports only the system's libraries, carries every
# resource of src/resources byte for byte, is stripped, stays within its size budget, and passes
# the Windows build's checks under Wine. The driver package (scripts/package.sh) passes
# tests/checks/check_package.py, and Wine's setup library installs its optional stand-ins where
# the plug-in looks for them.
#
#   bash scripts/check-release.sh [dll]    (a dll given is checked as it is, without a build)
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

budget=$((200 * 1024))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dll=${1:-build/release/qvembui.dll}
if [ $# -eq 0 ]; then
    bash scripts/package.sh
fi

check_dll_exports "$dll"
check_dll_imports "$dll"

if x86_64-w64-mingw32-objdump -h "$dll" | grep -q '\.debug_'; then
    echo "$dll holds debugging sections: it was not stripped" >&2
    exit 1
fi

# The resources in the DLL's resource directory against the ones compiled from the sources:
# every type, name, language and byte.
(cd src/resources && x86_64-w64-mingw32-windres -I . -O res -o "$work/sources.res" qvembui.rc)
python3 - "$dll" "$work/sources.res" <<'PYTHON'
import pathlib, struct, sys
sys.path.insert(0, "tests/checks")
from product import read_res


def pe_resources(path):
    """{(type, name): (language, bytes)} from a PE32+ file's resource directory."""
    data = pathlib.Path(path).read_bytes()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    # The resource table is the third data directory of the PE32+ optional header.
    root_rva = struct.unpack_from("<I", data, optional + 112 + 2 * 8)[0]
    table = [struct.unpack_from("<8xIIII", data, optional + optional_size + 40 * i)
             for i in range(sections)]

    def offset(rva):
        for _, address, raw_size, raw in table:
            if address <= rva < address + raw_size:
                return raw + rva - address
        sys.exit("RVA 0x%x lies in no section" % rva)

    root = offset(root_rva)

    def entries(directory):
        named, numbered = struct.unpack_from("<12xHH", data, directory)
        for i in range(named + numbered):
            key, target = struct.unpack_from("<II", data, directory + 16 + 8 * i)
            if key & 0x80000000:
                pos = root + (key & 0x7FFFFFFF)
                length = struct.unpack_from("<H", data, pos)[0]
                key = data[pos + 2:pos + 2 + 2 * length].decode("utf-16-le")
            yield key, target & 0x7FFFFFFF

    found = {}
    for kind, names in entries(root):
        for name, languages in entries(root + names):
            for language, leaf in entries(root + languages):
                rva, size = struct.unpack_from("<II", data, root + leaf)
                found[(kind, name)] = (language, data[offset(rva):offset(rva) + size])
    return found


shipped, compiled = pe_resources(sys.argv[1]), read_res(pathlib.Path(sys.argv[2]))
missing = sorted(map(str, compiled.keys() - shipped.keys()))
extra = sorted(map(str, shipped.keys() - compiled.keys()))
changed = sorted(str(k) for k in compiled.keys() & shipped.keys() if compiled[k] != shipped[k])
if missing or extra or changed:
    sys.exit("the DLL's resources differ from the sources: missing %s, extra %s, changed %s"
             % (missing, extra, changed))
print("== %d resources, each with its language and bytes as compiled from src/resources"
      % len(compiled))
PYTHON

size=$(stat -c %s "$dll")
echo "== $dll: $size bytes ($((size / 1024)) KiB of a $((budget / 1024)) KiB budget); sections:"
x86_64-w64-mingw32-objdump -h "$dll" | awk '/^ +[0-9]+ /{print $2, $3}' |
    while read -r name hex; do printf '     %-8s %7d bytes\n' "$name" $((16#$hex)); done
if [ "$size" -gt "$budget" ]; then
    echo "$dll is $size bytes, over its budget of $budget" >&2
    exit 1
fi

[ $# -eq 0 ] || exit 0
echo "== Checking the driver package"
python3 tests/checks/check_package.py build/tarvik-embosser-driver.zip

export PATH="/usr/lib/wine:$PATH"
need_packages wine64
export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree=;mshtml="
unset DISPLAY WAYLAND_DISPLAY
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
echo "== Preparing a Wine prefix"
wine64 wineboot.exe -i >/dev/null 2>&1
wineserver -w

# The DLL we ship on the real ABI: the plug-in's Windows test program (tests/wine/plugin/) drives
# the release DLL, installed in a prefix of its own in place of the Windows build's.
build_preset windows >/dev/null
release_prefix="$work/release-prefix"
bash scripts/install-prefix.sh --prefix "$release_prefix" >/dev/null
cp -f "$dll" "$release_prefix/drive_c/windows/system32/spool/drivers/x64/3/qvembui.dll"
status=0
(
    export WINEPREFIX="$release_prefix"
    wine64 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d null /f >/dev/null 2>&1
    wineserver -k || true
    code=0
    timeout 300 wine64 build/windows/plugin_tests.exe || code=$?
    wineserver -k || true
    exit "$code"
) >"$work/plugin_tests.log" 2>&1 || status=$?
tr -d '\r' <"$work/plugin_tests.log" | grep -E '^\[  (PASSED|FAILED) ' | sed 's/^/== release DLL: /'
if [ "$status" -ne 0 ]; then
    echo "The release DLL failed its tests under Wine (exit status $status)" >&2
    exit 1
fi
wineserver -w

# The INF's optional section, run by Wine's setup library, copies each stand-in (an empty one
# when it was not built) to the folder where the plug-in looks for it: the printer driver
# folder's "3" or the system folder.
unpacked="$work/package"
mkdir -p "$unpacked/standins"
unzip -q build/tarvik-embosser-driver.zip -d "$unpacked"
for name in qvmonext qvlocale qvdevapi; do
    [ -f "$unpacked/standins/$name.dll" ] || echo "stand-in $name" >"$unpacked/standins/$name.dll"
done
# A source file that cannot be found makes Wine's setup library ask again and again.
if ! timeout 60 wine64 rundll32.exe setupapi.dll,InstallHinfSection TarvikStandIns 128 \
    "Z:$(echo "$unpacked" | tr / '\\')\\tarvik.inf" >/dev/null 2>&1; then
    echo "Wine's setup library did not finish the TarvikStandIns section" >&2
    wineserver -k >/dev/null 2>&1 || true
fi
wineserver -w
system="$WINEPREFIX/drive_c/windows/system32"
for placed in spool/drivers/x64/3/qvmonext.dll spool/drivers/x64/3/qvlocale.dll qvdevapi.dll; do
    copy=$(find "$system/$(dirname "$placed")" -maxdepth 1 -iname "$(basename "$placed")" | head -1)
    if [ -z "$copy" ] || ! cmp -s "$copy" "$unpacked/standins/$(basename "$placed")"; then
        echo "the INF's TarvikStandIns section did not put $(basename "$placed") into" \
            "system32/$(dirname "$placed")" >&2
        exit 1
    fi
done
echo "== Wine's setup library installs the stand-ins where the plug-in looks for them"
