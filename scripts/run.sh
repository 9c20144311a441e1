#!/usr/bin/env bash
# Starts Glyphora. With a display it runs there until closed; without one it
# runs on a private Xvfb, saves a screenshot of the screen to
# build/screenshot.png and closes the program again.
set -u
. "$(dirname "$0")/env.sh"
EXE="$GLYPHORA_ROOT/build/win64/app/Glyphora.exe"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$WINE" "$EXE" "$@"
fi
shot="$GLYPHORA_ROOT/build/screenshot.png"
"$GLYPHORA_ROOT/scripts/with-display.sh" bash -c '
  "$0" "$1" "${@:3}" </dev/null >/dev/null 2>&1 &
  pid=$!
  sleep "${GLYPHORA_SHOT_DELAY:-6}"
  import -window root "$2" && echo "Screenshot saved to $2"
  kill $pid 2>/dev/null
  wait $pid 2>/dev/null
  true' "$WINE" "$EXE" "$shot" "$@"
