#!/usr/bin/env bash
# Starts the program under a headless weston compositor with XWayland: with
# both displays it must come up on X (xdotool finds it, client area 1026 x 727);
# with Wayland alone it must run natively, with a 1026 x 727 surface, and say
# nothing on its error output. Skips where weston, Xwayland, xdotool or Qt's
# Wayland plugin is missing (none of them is needed to run the program; in CI
# a skip fails).
set -euo pipefail
program=$(readlink -f "$1")
. "$(dirname "$(readlink -f "$0")")/../support/skip.sh"
for tool in weston Xwayland xdotool; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/test installs it)"
done
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 \
    || skip "Qt's Wayland plugin (qt6-wayland) is not installed (scripts/test installs it)"

# Weston's XWayland binds its sockets in this folder, which a fresh system (one
# that has not yet run an X server) lacks.
[ -d /tmp/.X11-unix ] || mkdir -m 1777 /tmp/.X11-unix || skip "there is no /tmp/.X11-unix for XWayland's sockets"

work=$(mktemp -d)
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
export XDG_RUNTIME_DIR="$work/xdg"; mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM DISPLAY WAYLAND_DISPLAY XDG_SESSION_TYPE
cd "$work"

weston --backend=headless-backend.so --xwayland --socket=kvarnel-test --width=1920 --height=1080 \
    --log="$work/weston.log" &
pids+=($!)
display=""
for _ in $(seq 1 100); do
    display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" 2>/dev/null || true)
    [ -n "$display" ] && [ -S "$XDG_RUNTIME_DIR/kvarnel-test" ] && break
    sleep 0.1
done
[ -n "$display" ] || fail "weston with XWayland did not start: $(cat "$work/weston.log")"

# Both displays: on X through XWayland.
# A Wayland session says so; Qt alone would then take Wayland first.
XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=kvarnel-test DISPLAY=$display "$program" >"$work/x.log" 2>&1 &
pids+=($!)
wid=""
for _ in $(seq 1 150); do
    wid=$(DISPLAY=$display xdotool search --onlyvisible --class '^kvarnel$' 2>/dev/null | head -1 || true)
    [ -n "$wid" ] && break
    sleep 0.1
done
[ -n "$wid" ] || fail "with both displays the window did not appear on X: $(cat "$work/x.log")"
eval "$(DISPLAY=$display xdotool getwindowgeometry --shell "$wid")"
[ "$WIDTH" = 1026 ] && [ "$HEIGHT" = 727 ] || fail "on X the client area is ${WIDTH}x${HEIGHT}"
echo "ok: with both displays the window is on X, ${WIDTH}x${HEIGHT}"

# Wayland alone: natively. The client's own protocol log shows the surface's
# buffer; without Qt's drawn title bar the buffer is the client area.
WAYLAND_DISPLAY=kvarnel-test WAYLAND_DEBUG=1 QT_WAYLAND_DISABLE_WINDOWDECORATION=1 \
    "$program" >"$work/wayland.log" 2>&1 &
native=$!
pids+=("$native")
size=""
for _ in $(seq 1 150); do
    size=$(sed -n 's/.*create_buffer(new id wl_buffer@[0-9]*, 0, \([0-9]*\), \([0-9]*\),.*/\1x\2/p' "$work/wayland.log" | head -1)
    [ -n "$size" ] && break
    kill -0 "$native" 2>/dev/null || break
    sleep 0.1
done
[ -n "$size" ] || fail "with Wayland alone no window appeared: $(grep -v '^\[' "$work/wayland.log" | head -20)"
[ "$size" = 1026x727 ] || fail "natively the window's surface is $size"
sleep 1
kill -0 "$native" 2>/dev/null || fail "natively the program ended by itself"
said=$(grep -v '^\[' "$work/wayland.log" || true)
[ -z "$said" ] || fail "natively the program wrote: $said"
echo "ok: with Wayland alone the window is native, $size, and nothing was written to its error output"
