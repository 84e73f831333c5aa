#!/usr/bin/env bash
# Photographs the three Linux dialogs (information, parameters, refinement) on a virtual X display
# and writes them to docs/screenshots/linux-<dialog>.png. The dialogs are those of the Qt test's
# interactive run (sheet N-37-XIV, the result folder typed as /home/user/maps/N-37-XIV/), as its
# robot sees them, with the fonts Debian installs: the same pictures byte for byte at every run.
# Installs what it needs (Xvfb among it) and builds the Qt tests in build/; can be run again at
# any time.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

./scripts/install-deps.sh screenshots
cmake --preset default >/dev/null
cmake --build --preset default --target mapbasis_qt_tests

shots="$(mktemp -d)"
trap 'rm -rf "$shots"' EXIT
# The X platform on the virtual display, in Russian as the users have it; the robot saves each
# dialog it acts on.
LANG=ru_RU.UTF-8 QT_QPA_PLATFORM=xcb MAPBASIS_SCREENSHOTS="$shots" \
  xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" \
  build/mapbasis_qt_tests --gtest_filter=QtDialogs.InteractiveRunThroughTheModule

mkdir -p docs/screenshots
for pair in 106-info:info 101-parameters:parameters 113-refinement:refinement; do
  cp "$shots/${pair%%:*}.png" "docs/screenshots/linux-${pair#*:}.png"
  echo "docs/screenshots/linux-${pair#*:}.png"
done
