#!/usr/bin/env bash
# The main job: builds qvembui.dll for Windows, then opens the printing preferences of a
# simulated Tarvik embosser through the core-driver stand-in and shows, in readable text, what a
# person sees on each page, a short session at the keyboard, and what was stored.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
need_packages

build_preset windows
check_dll_exports
dll=build/windows/qvembui.dll
echo "== $dll: $(stat -c %s "$dll") bytes, importing only:"
x86_64-w64-mingw32-objdump -p "$dll" | awk '/DLL Name:/{print "   " $3}'

echo "== Building the native tour"
cmake --preset native >/dev/null
cmake --build --preset native -j"$(nproc)" --target qvembui_tour
echo
build/native/qvembui_tour
