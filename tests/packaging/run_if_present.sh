#!/bin/sh
# run_if_present.sh TOOL ARGUMENTS...: runs the checking tool, or ends with 77
# (skipped) where it is not installed.
command -v "$1" >/dev/null 2>&1 || { echo "$1 is not installed: skipped"; exit 77; }
exec "$@"
