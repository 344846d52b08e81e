#!/usr/bin/env bash
# Installs what is missing, builds in build/ (Release) and starts Selenarc; arguments go to the
# program. Set-up and build messages go to standard error: standard output is the program's alone.
set -euo pipefail
cd "$(dirname "$0")"
{
    source tools/setup.sh
    mkdir -p build
    selenarc_build build -DCMAKE_BUILD_TYPE=Release > build.log 2>&1 || { tail -n 60 build.log; exit 1; }
} >&2
exec build/selenarc "$@"
