#!/usr/bin/env bash
# The main job: builds qvembui.dll for Windows, then opens the printing preferences of a
# simulated Tarvik embosser through the core-driver stand-in and shows, in readable text, what a
# person sees on each page, a short session at the keyboard, and what was stored.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
need_packages

build_preset windows
check_dll_exports
check_dll_imports
echo "== build/windows/qvembui.dll: $(stat -c %s build/windows/qvembui.dll) bytes"

echo "== Building the native tour"
cmake --preset native >/dev/null
cmake --build --preset native -j"$(nproc)" --target qvembui_tour
echo
build/native/qvembui_tour
