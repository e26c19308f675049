#!/usr/bin/env bash
# The README's pictures: runs the main job (unless --keep: then the pictures already in
# build/screens/ are used) and copies the Tarvik page and the printer's device settings into
# docs/, stripped and reduced to a small palette so that they stay small in the repository.
#
#   bash scripts/readme-screens.sh [--keep]
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ "${1:-}" != "--keep" ]; then
    bash scripts/run-main.sh >/dev/null
fi
mkdir -p docs
for pair in "012_tarvik_changed:printing-preferences.png" "203_device_settings_changed:printer-properties.png"; do
    shot=build/screens/en/${pair%%:*}.png
    target=docs/${pair#*:}
    if [ ! -f "$shot" ]; then
        echo "$shot is missing: run bash scripts/run-main.sh first" >&2
        exit 1
    fi
    convert "$shot" -strip -colors 64 PNG8:"$target"
    echo "$target: $(stat -c %s "$target") bytes"
done
