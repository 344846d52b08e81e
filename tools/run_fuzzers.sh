#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer + UndefinedBehaviorSanitizer) in
# build-fuzz/ and runs each for a bounded time on a scratch copy of its seeds, so the committed corpus
# never grows. Fails on any crash, broken property, leak, timeout or memory blow-up.
#
#   tools/run_fuzzers.sh                 each target SELENARC_FUZZ_SECONDS seconds (default 20)
#   tools/run_fuzzers.sh --replay        each target once over its seeds only
#   tools/run_fuzzers.sh NAME...         only these targets (julian_day, person_file, ...)
#
# A finding is kept in build-fuzz/findings/ and printed with the command that replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${SELENARC_FUZZ_BUILD:-build-fuzz}
seconds=${SELENARC_FUZZ_SECONDS:-20}

replay=0
names=()
for argument in "$@"; do
    case $argument in
        --replay) replay=1 ;;
        *) names+=("$argument") ;;
    esac
done
if [ ${#names[@]} -eq 0 ]; then
    for source in tests/fuzz/fuzz_*.cpp; do
        name=$(basename "$source" .cpp)
        [ "$name" = fuzz_support ] || names+=("${name#fuzz_}")
    done
fi

source tools/setup.sh
echo "== Construction des cibles de fuzzing ($build/, clang)"
cmake -S . -B "$build" -G Ninja -DSELENARC_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
    -DSELENARC_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSELENARC_WERROR=ON > "$build.configure.log" 2>&1 ||
    { cat "$build.configure.log"; exit 1; }
targets=()
for name in "${names[@]}"; do targets+=("fuzz_$name"); done
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]}"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$build/findings"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:symbolize=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

failed=()
printf '%-16s %12s %14s  %s\n' "cible" "exec/s" "exécutions" "résultat"
for name in "${names[@]}"; do
    program="$build/tests/fuzz/fuzz_$name"
    seeds="tests/fuzz/corpus/$name"
    log="$scratch/$name.log"
    if [ "$replay" -eq 1 ]; then
        run=("$program" -runs=1 "$seeds"/*)
    else
        mkdir -p "$scratch/corpus/$name"
        cp -r "$seeds"/. "$scratch/corpus/$name/"
        run=("$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096
             -print_final_stats=1 -artifact_prefix="$root/$build/findings/$name-" "$scratch/corpus/$name")
    fi
    status=0
    "${run[@]}" > "$log" 2>&1 || status=$?
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    if [ "$status" -eq 0 ]; then
        printf '%-16s %12s %14s  %s\n' "$name" "${speed:--}" "${execs:--}" "ok"
    else
        printf '%-16s %12s %14s  %s\n' "$name" "${speed:--}" "${execs:--}" "ÉCHEC (code $status)"
        failed+=("$name")
        grep -E 'FUZZ FINDING|ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error|SUMMARY' "$log" |
            head -20 | sed 's/^/    /'
        for artifact in $(sed -n "s/.*Test unit written to \(.*\)$/\1/p" "$log" | sort -u); do
            echo "    entrée : $artifact"
            echo "    rejouer : $program $artifact"
            head -c 200 "$artifact" | od -An -c | head -5 | sed 's/^/      /'
        done
        cp "$log" "$build/findings/$name.log"
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing : ${#failed[@]} cible(s) en échec : ${failed[*]} (journaux dans $build/findings/)"
    exit 1
fi
echo "Fuzzing : ${#names[@]} cibles sans défaut"
