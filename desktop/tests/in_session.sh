#!/usr/bin/env bash
# Runs a test program on a private session bus whose services (dconf, xfconfd) write
# into the sandbox. Usage: in_session.sh <program> [args...]
set -eu
[[ "$XDG_CONFIG_HOME" == "$SUITE_TEST_DATA"/* ]] || { echo "XDG_CONFIG_HOME is not the sandbox's" >&2; exit 1; }
unset DBUS_SESSION_BUS_ADDRESS SUITE_DESKTOP_LOG
export GSETTINGS_BACKEND=dconf
exec dbus-run-session -- "$@"
