#!/usr/bin/env bash
# Installs what is missing, builds in build/ and starts Selenarc; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
mkdir -p build
selenarc_build build > build.log 2>&1 || { tail -n 60 build.log; exit 1; }
exec build/selenarc "$@"
