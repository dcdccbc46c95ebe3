#!/bin/sh
# Runs a Windows program under Wine in the given prefix: wine-run.sh PREFIX PROGRAM [ARGS...]
prefix=$1
shift
WINEPREFIX="$prefix"
. "$(dirname "$0")/wine-env.sh"
exec wine "$@"
