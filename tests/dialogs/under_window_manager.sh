#!/usr/bin/env bash
# Runs the Qt dialog tests on a virtual X display with a window manager, where dialogs get frames
# and the manager places them: a dialog shown again must stand where it stood.
# Usage: under_window_manager.sh QT-TEST-PROGRAM [GTEST-FILTER]
set -euo pipefail
program="$1"
filter="${2:-QtDialogs.*}"
# shellcheck disable=SC2016
exec xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" bash -c '
  openbox >/dev/null 2>&1 &
  manager=$!
  trap "kill $manager" EXIT
  # The manager owns the screen before the first window appears; one that never does (a minute
  # is a hang, not a slow start) fails the test rather than letting it run unmanaged.
  if ! timeout 60 bash -c "until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null |
      grep -q \"window id\"; do sleep 0.05; done"; then
    echo "openbox did not take the screen" >&2
    exit 1
  fi
  QT_QPA_PLATFORM=xcb "$0" --gtest_filter="$1"
' "$program" "$filter"
