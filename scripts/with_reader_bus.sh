#!/usr/bin/env bash
# Runs a command as if a screen reader were running: a private D-Bus session whose
# accessibility bus is started and marked as serving a reader, so Qt's AT-SPI bridge
# turns on and every change is announced on that bus.
# Usage: scripts/with_reader_bus.sh COMMAND [ARGS...]
set -euo pipefail
exec dbus-run-session -- bash -c '
  # Starting the bus by asking for its address; Qt only looks for a running one.
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
  # What a reader sets when it starts.
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
    string:org.a11y.Status string:ScreenReaderEnabled variant:boolean:true >/dev/null
  exec "$@"' _ "$@"
