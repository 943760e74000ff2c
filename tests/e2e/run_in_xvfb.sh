#!/usr/bin/env bash
# Runs a command inside a fresh virtual display with a window manager: without one a window is never
# maximised and cannot be activated.
set -u
exec xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" bash -c '
    openbox >/dev/null 2>&1 &
    wm=$!
    "$@"
    rc=$?
    kill "$wm" 2>/dev/null
    exit "$rc"' bash "$@"
