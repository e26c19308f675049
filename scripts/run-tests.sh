#!/usr/bin/env bash
# Every test: the native build's suites, the same suites under AddressSanitizer and
# UndefinedBehaviorSanitizer, the Windows build of qvembui.dll with its export check, and that
# DLL driven under Wine.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
need_packages

# The resources: every id of resource.h, the bitmaps and pictures; every dialog's labels,
# mnemonics and sizes, in English and in every catalogue's language.
echo "== Checking the resources"
python3 tests/checks/check_resources.py
python3 tests/checks/check_dialogs.py

build_preset native
ctest --preset native -j"$(nproc)"
bash scripts/winsim-switches.sh

build_preset asan
ASAN_OPTIONS=detect_leaks=1 ctest --preset asan -j"$(nproc)"

# The rule code on its own, under AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzz
# targets' smoke run.
build_preset rules
ASAN_OPTIONS=detect_leaks=1 ctest --preset rules -j"$(nproc)" --no-tests=ignore
bash scripts/fuzz-smoke.sh

build_preset windows
check_dll_exports
check_dll_imports
bash scripts/check-release.sh

# The real DLL on the real ABI: the Windows build under Wine, its test programs first.
bash scripts/wine-tests.sh
bash scripts/wine-conformance.sh
echo "== All tests passed"
