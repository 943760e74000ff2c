#!/usr/bin/env bash
# Runs a command inside a fresh virtual display with a window manager: without one a window is never
# maximised and cannot be activated. The command starts once the window manager has taken the display.
set -u
exec xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" bash -c '
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
    kill "$wm" 2>/dev/null
    exit "$rc"' bash "$@"
