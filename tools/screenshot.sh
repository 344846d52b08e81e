#!/usr/bin/env bash
# Makes the README's picture of the main window: a run rendered offscreen by the screenshot test.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh
selenarc_build build > /dev/null
QT_QPA_PLATFORM=offscreen ctest --test-dir build -R ui_test_screenshot --output-on-failure > /dev/null
cp build/tests/main_window_tab0_1x.png docs/fenetre-principale.png
echo "docs/fenetre-principale.png"
