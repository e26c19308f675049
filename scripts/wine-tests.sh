#!/usr/bin/env bash
# The Windows test programs under Wine (tests/wine/<program>/ -> build/windows/<program>_tests.exe):
# builds the windows preset, installs the printer into one throw-away prefix with
# scripts/install-prefix.sh, and runs each program with Wine's null display driver; then the tests
# that compare pictures (named *Picture*) in the same prefix under an Xvfb of their own. The access
# program's screen test runs again with the screen scaled to 150 % (144 dots per inch). Fails when
# any test failed or a program did not finish in time.
#
#   bash scripts/wine-tests.sh [program ...] [-- GoogleTest flags]
#   bash scripts/wine-tests.sh plugin -- --gtest_filter='ClassObject*'
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Debian installs the 64-bit loader and server outside the PATH.
export PATH="/usr/lib/wine:$PATH"
need_packages wine64 xvfb

programs=()
flags=()
while [ $# -gt 0 ]; do
    if [ "$1" = "--" ]; then
        shift
        flags=("$@")
        break
    fi
    programs+=("$1")
    shift
done
if [ ${#programs[@]} -eq 0 ]; then
    for folder in tests/wine/*/; do
        program=$(basename "$folder")
        [ "$program" = support ] || programs+=("$program")
    done
fi

started=$SECONDS
build_preset windows >/dev/null
wine_prefix_throwaway
bash scripts/install-prefix.sh --prefix "$prefix" >/dev/null
# Headless: the null display driver gives the sheets real windows that nobody sees. The driver is
# chosen when the Wine server starts.
wine64 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d null /f >/dev/null 2>&1
wineserver -k

# The tests of a program that the flags select, as Suite.Test, with or without pictures, and only
# those matching $3 when given.
select_tests() {
    local program=$1 pictures=$2 only=${3:-.}
    wine64 "$program" --gtest_list_tests "${flags[@]}" 2>/dev/null | tr -d '\r' |
        awk '/^[^ ]/ { suite = $1; next } /^  / { print suite $1 }' |
        if [ "$pictures" = yes ]; then grep 'Picture' || true; else grep -v 'Picture' || true; fi |
        { grep -- "$only" || true; } | paste -sd: -
}

status=0
# run_programs yes|no [PATTERN [PROGRAM ...]]: the tests with or without pictures.
run_programs() {
    local pictures=$1 only=${2:-.} program selected
    shift $(($# < 2 ? $# : 2))
    local names=("$@")
    [ ${#names[@]} -gt 0 ] || names=("${programs[@]}")
    for name in "${names[@]}"; do
        program=build/windows/${name}_tests.exe
        if [ ! -f "$program" ]; then
            echo "$program was not built" >&2
            status=1
            continue
        fi
        selected=$(select_tests "$program" "$pictures" "$only")
        [ -n "$selected" ] || continue
        echo "== ${name}_tests.exe${DISPLAY:+ on display $DISPLAY}"
        timeout 300 wine64 "$program" "${flags[@]}" --gtest_filter="$selected" 2>/dev/null |
            tr -d '\r' || {
            echo "== ${name}_tests.exe ended with status ${PIPESTATUS[0]}"
            status=1
        }
    done
}

run_programs no
# Every text measured again, and the pictures looked at, on a screen scaled to 150 %.
scaled=no
[[ " ${programs[*]} " != *" access "* ]] || scaled=yes
if [ "$scaled" = yes ]; then
    bash scripts/install-prefix.sh --prefix "$prefix" --dpi 144 >/dev/null
    echo "== at 144 dots per inch"
    run_programs no ScreenTest access
fi
wine64 reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1
wineserver -k
start_private_xvfb 90
if [ "$scaled" = yes ]; then
    echo "== at 144 dots per inch"
    run_programs yes ScreenTest access
    bash scripts/install-prefix.sh --prefix "$prefix" --dpi 96 >/dev/null
fi
run_programs yes

echo "== The Windows test programs took $((SECONDS - started)) s (build included)"
if [ "$status" -ne 0 ]; then
    echo "A Windows test program failed under Wine" >&2
fi
exit "$status"
