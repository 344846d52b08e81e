#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite twice: the Release build that
# run.sh starts (build/) and a Debug one under AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan/). Warnings are errors in both.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
export QT_QPA_PLATFORM=offscreen

echo "== Sommes de contrôle des données (data/SHA256SUMS)"
(cd data && sha256sum --quiet --strict -c SHA256SUMS)

mkdir -p build build-asan
echo "== Construction Release (build/)"
selenarc_build build -DCMAKE_BUILD_TYPE=Release -DSELENARC_WERROR=ON
echo "== Tests (build/)"
ctest --test-dir build --output-on-failure -j "$(nproc)"

echo "== Construction avec AddressSanitizer et UndefinedBehaviorSanitizer (build-asan/)"
selenarc_build build-asan -DSELENARC_SANITIZE=ON -DSELENARC_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug -DSELENARC_WERROR=ON
echo "== Tests (build-asan/)"
ctest --test-dir build-asan --output-on-failure -j "$(nproc)"

echo "== Fuzzing des lecteurs (${SELENARC_FUZZ_SECONDS:-20} s par cible)"
bash tools/run_fuzzers.sh
