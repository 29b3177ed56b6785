#!/usr/bin/env bash
# Starts the real program under Xvfb in a temporary directory with an empty
# journal and takes a whole test with the mouse and keyboard, as a student would.
set -euo pipefail
program=$(readlink -f "$1")
here=$(dirname "$(readlink -f "$0")")   # before the cd below: $0 may be relative
. "$here/../support/skip.sh"
for tool in xvfb-run xdotool; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/deps installs it)"
done
[ -x /usr/bin/import-im6.q16 ] || skip "ImageMagick's import is not installed (scripts/deps installs it)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
: > "$work/Тест_кварнел.txt"
export XDG_RUNTIME_DIR="$work/xdg"; mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
cd "$work"
xvfb-run -a -s "-screen 0 1920x1080x24" bash "$here/drive.sh" "$program" "$work"
