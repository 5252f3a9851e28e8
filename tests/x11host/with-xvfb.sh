#!/bin/sh
# Runs a command on a private virtual X server, so that tests that move the pointer never share
# a display: ctest runs them in parallel. The server picks a free display number itself.
set -eu
numberfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$numberfile" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$numberfile"' EXIT INT TERM
tries=0
until [ -s "$numberfile" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 200 ] || ! kill -0 "$server" 2>/dev/null; then
        echo "Xvfb did not start" >&2
        exit 1
    fi
    sleep 0.05
done
DISPLAY=":$(head -n 1 "$numberfile")" "$@"
