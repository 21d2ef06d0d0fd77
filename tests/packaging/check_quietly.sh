#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# check_quietly.sh TOOL [ARGS...]: runs a validator and passes only if it
# succeeds and has nothing to say, hints and warnings included. A missing
# tool skips the test (exit 77).
command -v "$1" >/dev/null 2>&1 || { echo "$1 is not installed"; exit 77; }
output=$("$@" 2>&1)
status=$?
printf '%s\n' "$output"
# appstreamcli reports success even when all is well: that line alone
# (with its tick, or a ? in the C locale) counts as silence.
remarks=$(printf '%s\n' "$output" | grep -v -x -e '' -e '.*Validation was successful\.')
[ "$status" -eq 0 ] && [ -z "$remarks" ]
