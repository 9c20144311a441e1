#!/usr/bin/env bash
# Runs a command with an X display: the current one if there is one, else a
# private Xvfb started here and stopped afterwards, together with a warm
# wineserver for the prefix. With GLYPHORA_COMPOSITOR=1 a compositor
# (xcompmgr) runs on the private display, so that layered windows blend
# their partial alpha (for screenshots and tests that look at it).
set -u
. "$(dirname "$0")/env.sh"
started_x=""
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  for n in $(seq 91 120); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    started_x=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    break
  done
fi
started_c=""
if [ -n "$started_x" ] && [ "${GLYPHORA_COMPOSITOR:-0}" = 1 ] && command -v xcompmgr >/dev/null; then
  xcompmgr -n </dev/null >/dev/null 2>&1 &
  started_c=$!
fi
"$WINESERVER" -p </dev/null >/dev/null 2>&1
"$WINE" cmd /c exit </dev/null >/dev/null 2>&1
"$@"
rc=$?
[ -n "$started_c" ] && kill "$started_c" 2>/dev/null && wait "$started_c" 2>/dev/null
"$WINESERVER" -k >/dev/null 2>&1
[ -n "$started_x" ] && kill "$started_x" 2>/dev/null && wait "$started_x" 2>/dev/null
exit $rc
