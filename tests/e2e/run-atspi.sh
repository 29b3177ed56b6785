#!/usr/bin/env bash
# Starts a private D-Bus session with the accessibility bus, and Xvfb in it,
# and runs atspi-drive.py against the real program in a temporary directory
# with an empty journal. Skips (77) only where no D-Bus session can be started;
# in CI (CI=true) that skip is a failure too (tests/support/skip.sh).
set -euo pipefail
program=$(readlink -f "$1")
here=$(dirname "$(readlink -f "$0")")
. "$here/../support/skip.sh"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed (scripts/test installs dbus-daemon)"
dbus-run-session -- true 2>/dev/null || skip "no D-Bus session can be started here"
# Everything else is installed by scripts/test (scripts/deps --tests): missing, it is a failure, not a skip.
for tool in xvfb-run xdotool /usr/bin/import-im6.q16 /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/test installs it)"; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "FAIL: python3-pyatspi is not installed (scripts/test installs it)"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
: > "$work/Тест_кварнел.txt"
export XDG_RUNTIME_DIR="$work/xdg"; mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
# The session bus's own chatter (activations, fd limits) is not the test's output.
dbus-run-session -- xvfb-run -a -s "-screen 0 1920x1080x24" \
    /usr/bin/python3 "$here/atspi-drive.py" "$program" "$work"
