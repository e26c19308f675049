# Shared by the README's commands: install what a fresh Debian machine lacks.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."

# apt packages the builds need, by the command that shows they are missing.
need_packages() {
    local missing=()
    command -v cmake >/dev/null || missing+=(cmake)
    command -v g++ >/dev/null || missing+=(g++)
    command -v make >/dev/null || missing+=(make)
    command -v python3 >/dev/null || missing+=(python3)
    [ -f /usr/lib/x86_64-linux-gnu/cmake/GTest/GTestConfig.cmake ] || missing+=(libgtest-dev)
    command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-x86-64-posix)
    command -v x86_64-w64-mingw32-windres >/dev/null || missing+=(binutils-mingw-w64-x86-64)
    # The rules build is clang's, with the fuzz targets (libFuzzer is in clang's runtime package).
    command -v clang++-14 >/dev/null || missing+=(clang)
    compgen -G "/usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null ||
        missing+=(libclang-rt-14-dev)
    command -v ccache >/dev/null || missing+=(ccache)
    for extra in "$@"; do
        case "$extra" in
            wine64) [ -x /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null || missing+=(wine64) ;;
            xvfb) command -v Xvfb >/dev/null || missing+=(xvfb) ;;
            imagemagick) command -v convert >/dev/null || missing+=(imagemagick) ;;
            *) missing+=("$extra") ;;
        esac
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "== Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
    fi
    # A rebuild of the same sources, in this clone or another, comes from the compiler cache.
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR="$PWD"
}

build_preset() {
    echo "== Building $1"
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j"$(nproc)"
}

# The DLL (build/windows/qvembui.dll unless given) must export exactly DllGetClassObject and
# DllCanUnloadNow.
check_dll_exports() {
    local dll=${1:-build/windows/qvembui.dll}
    local exports
    exports=$(x86_64-w64-mingw32-objdump -p "$dll" | awk '/\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/^[ \t]*\[/{print $NF} t&&/^$/{t=0}' | sort | tr '\n' ' ')
    if [ "$exports" != "DllCanUnloadNow DllGetClassObject " ]; then
        echo "$dll exports '$exports', expected exactly DllCanUnloadNow and DllGetClassObject" >&2
        return 1
    fi
    echo "== $dll exports exactly: $exports"
}

# The DLL (build/windows/qvembui.dll unless given) may import only from the system's own
# libraries: everything else is linked in.
check_dll_imports() {
    local dll=${1:-build/windows/qvembui.dll}
    local system="advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msimg32.dll msvcrt.dll ole32.dll shell32.dll user32.dll version.dll winspool.drv"
    local name foreign=""
    for name in $(x86_64-w64-mingw32-objdump -p "$dll" | awk '/DLL Name:/{print tolower($3)}'); do
        case " $system " in
            *" $name "*) ;;
            *) foreign="$foreign $name" ;;
        esac
    done
    if [ -n "$foreign" ]; then
        echo "$dll imports from libraries that are not the system's:$foreign" >&2
        return 1
    fi
    echo "== $dll imports only from system libraries"
}

# The Wine environment for the prefix $1: quiet, and no Mono or Gecko installers (nothing here
# needs them, and they would ask for a window).
wine_environment() {
    export WINEPREFIX="$1" WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree=;mshtml="
}

# A Wine prefix of our own in a new temporary directory ($prefix), without a display until
# start_private_xvfb gives it one. When the script exits, its Wine server and Xvfb stop and the
# prefix goes, with the extra files or directories given.
wine_prefix_throwaway() {
    prefix=$(mktemp -d)
    wine_environment "$prefix"
    unset DISPLAY WAYLAND_DISPLAY
    wine_cleanup_on_exit "$prefix" "$@"
}

# When the script exits: stop the Wine server and our Xvfb, remove the files or directories given.
wine_cleanup_on_exit() {
    wine_leftovers=("$@")
    trap wine_cleanup EXIT
}
wine_cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "${xvfb_pid:-}" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    if [ ${#wine_leftovers[@]} -gt 0 ]; then rm -rf "${wine_leftovers[@]}"; fi
}

# Creates the prefix. With a display, its windows are unmanaged: without a window manager Wine
# waits about 2 s whenever a managed top-level window closes.
wine_prefix_boot() {
    echo "== Preparing a Wine prefix${DISPLAY:+ (display $DISPLAY)}"
    wine64 wineboot.exe -i >/dev/null 2>&1
    if [ -n "${DISPLAY:-}" ]; then
        wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    fi
    wineserver -w
}

# A virtual screen (Xvfb, SIZE 1024x768 unless given) on display :FIRST or the first free number
# after it; exports DISPLAY, and the screen stops with the script (wine_cleanup_on_exit).
start_private_xvfb() {
    local number=$1 size=${2:-1024x768}
    while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
        number=$((number + 1))
    done
    Xvfb ":$number" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$number" ] && break
        sleep 0.1
    done
    if [ ! -e "/tmp/.X11-unix/X$number" ]; then
        echo "Xvfb did not start on display :$number" >&2
        return 1
    fi
    export DISPLAY=":$number"
}
