#!/usr/bin/env bash
# Every test: the resource and dialog checks, the rule code natively under AddressSanitizer and
# UndefinedBehaviorSanitizer with the fuzz targets' smoke run, the Windows build of qvembui.dll
# with its export and release checks, and the Windows test programs driving it under Wine.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
need_packages

# The resources: every id of resource.h, the bitmaps and pictures; every dialog's labels,
# mnemonics and sizes, in English and in every catalogue's language.
echo "== Checking the resources"
python3 tests/checks/check_resources.py
python3 tests/checks/check_dialogs.py

# The rule code on its own, under AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzz
# targets' smoke run.
build_preset rules
ASAN_OPTIONS=detect_leaks=1 ctest --preset rules -j"$(nproc)" --no-tests=ignore
bash scripts/fuzz-smoke.sh

build_preset windows
check_dll_exports
check_dll_imports
bash scripts/check-release.sh

# The real DLL on the real ABI: the Windows build's test programs under Wine.
bash scripts/wine-tests.sh
echo "== All tests passed"
