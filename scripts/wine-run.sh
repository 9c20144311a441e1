#!/usr/bin/env bash
# Runs a Windows program under the project's Wine prefix (CTest's emulator).
. "$(dirname "$0")/env.sh"
exec "$WINE" "$@"
