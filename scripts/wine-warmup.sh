#!/usr/bin/env bash
# Starts a persistent wineserver with all streams detached, so test programs
# do not wait on Wine's helper processes.
. "$(dirname "$0")/env.sh"
"$WINESERVER" -p </dev/null >/dev/null 2>&1
"$WINE" cmd /c exit </dev/null >/dev/null 2>&1
exit 0
