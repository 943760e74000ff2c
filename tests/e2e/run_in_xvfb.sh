#!/usr/bin/env bash
# Runs a command inside a fresh virtual display with a window manager: without one a window is never
# maximised and cannot be activated. The server takes a free display number itself, so that runs side by side
# never meet on one. The command starts once the window manager has taken the display.
set -u
dir=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
for _ in $(seq 1 100); do
    [ -s "$dir/display" ] && break
    sleep 0.1
done
export DISPLAY=":$(head -n1 "$dir/display")"
openbox >/dev/null 2>&1 &
wm=$!
for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
done
# It announces itself before it has finished starting up.
sleep 0.5
"$@"
rc=$?
kill "$wm" "$xvfb" 2>/dev/null
rm -rf "$dir"
exit "$rc"
