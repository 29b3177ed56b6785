#!/usr/bin/env bash
# The portable Windows program under wine on Xvfb: unpacks the zip into the output
# folder, makes a fresh wine prefix there (nothing of the build on the DLL path)
# and drives the window as a student would (drive-wine.sh). On failure the output
# folder keeps a screenshot, the program's output and the journals.
# Usage: run-e2e-wine.sh kvarnel-windows-x86_64.zip OUTPUT_DIR
set -euo pipefail
zip=$(readlink -f "$1"); out=$2
here=$(dirname "$(readlink -f "$0")")
. "$here/../support/skip.sh"
for tool in xvfb-run xdotool wine wineboot wineserver unzip; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/build-windows installs it)"
done
[ -x /usr/bin/import-im6.q16 ] || skip "ImageMagick's import is not installed (scripts/build-windows installs it)"
[ -f "$zip" ] || skip "$zip is missing: scripts/build-windows makes it"

rm -rf "$out"; mkdir -p "$out"; out=$(readlink -f "$out")
unzip -q "$zip" -d "$out/program"
export WINEPREFIX="$out/wineprefix" WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="   # no Mono or Gecko prompts, no menu entries
unset WINEPATH QT_PLUGIN_PATH QT_QPA_PLATFORM QT_QPA_PLATFORM_PLUGIN_PATH DISPLAY
export LC_ALL=C.UTF-8                       # xdotool matches the Cyrillic title only in UTF-8
start=$(date +%s)
"$here/../../scripts/windows/wine-prefix" || { echo "FAIL: no wine prefix"; exit 1; }
echo "ok: fresh wine prefix in $(( $(date +%s) - start )) s"

code=0
xvfb-run -a -s "-screen 0 1920x1080x24" bash "$here/drive-wine.sh" "$out/program/kvarnel-windows-x86_64/kvarnel.exe" "$out" || code=$?
timeout 30 wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"    # some 700 MB; the screenshot and logs stay
exit "$code"
