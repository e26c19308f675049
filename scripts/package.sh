#!/usr/bin/env bash
# Builds qvembui.dll as we ship it (preset "release") and packs the Tarvik Embosser's driver
# package for 64-bit Windows into build/tarvik-embosser-driver.zip: tarvik.inf, tarvik.gpd,
# tarvik.ini and qvembui.dll, and under standins/ our stand-ins for the sibling libraries when
# they have been built (the INF installs them only on request; README: Installing on Windows).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
need_packages
command -v zip >/dev/null || need_packages zip

build_preset release

stage=build/package
archive=build/tarvik-embosser-driver.zip
rm -rf "$stage" "$archive"
mkdir -p "$stage"
cp package/tarvik.inf package/tarvik.gpd package/tarvik.ini build/release/qvembui.dll "$stage/"
for sibling in qvmonext qvlocale qvdevapi; do
    for folder in build/release build/windows; do
        if [ -f "$folder/$sibling.dll" ]; then
            mkdir -p "$stage/standins"
            cp "$folder/$sibling.dll" "$stage/standins/"
            break
        fi
    done
done
(cd "$stage" && zip -q -r -X "../$(basename "$archive")" .)
echo "== $archive:"
unzip -l "$archive" | sed -n '4,$p' | grep -v -- '^---' | sed 's/^/     /'
