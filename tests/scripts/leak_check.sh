#!/usr/bin/env bash
# Memory leaks under valgrind, in two runs:
# - a whole headless report: the entry checks, the three cycle computations, the three dials drawn
#   (on their chart surfaces, then painted into the PDF), the persons/events plotted and the three
#   interpretation texts assembled;
# - the main window's test (when it is built beside the program): dials painted and cleared, the
#   help window opened and closed.
# A definite leak or a memory error fails the test; leaks inside Qt, fontconfig and the system
# libraries would be suppressed by tests/data/valgrind.supp. In a sanitizer build LeakSanitizer
# takes valgrind's place.
# Usage: bash leak_check.sh <selenarc executable> <repository root>
set -u
selenarc=$1
root=$2

# A sanitizer build carries its own allocator, which valgrind cannot follow: LeakSanitizer checks it
# instead (it reports at exit and makes the status non-zero).
checker=valgrind
if ldd "$selenarc" 2> /dev/null | grep -Eq 'lib(a|ub|l)san'; then
    checker=lsan
elif ! command -v valgrind > /dev/null; then
    echo "valgrind absent : vérification des fuites ignorée"
    exit 0
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

run=(--rapport --prenom Jean --nom Dupont --date 01/01/1950 --heure 12h00 --fuseau 13
     --aujourdhui "06/12/2026 10h30"
     --evenement "15/05/1975=Mariage" --evenement "02/03/1980=Naissance de Léa" --evenement "11/09/2001=Départ")

# The PDF paints the three dials and the texts.
with_pdf=(--pdf "$scratch/rapport.pdf")

failures=0
# check NAME COMMAND...: runs the command under valgrind with the output in $scratch/NAME.*
check() {
    local name=$1
    shift
    local start status
    start=$(date +%s)
    if [ "$checker" = lsan ]; then
        QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1:exitcode=9 \
            "$@" > "$scratch/$name.out" 2> "$scratch/$name.err"
    else
        QT_QPA_PLATFORM=offscreen valgrind --quiet --leak-check=full --errors-for-leak-kinds=definite \
            --show-leak-kinds=definite --error-exitcode=9 --num-callers=30 \
            --suppressions="$root/tests/data/valgrind.supp" --log-file="$scratch/$name.valgrind" \
            "$@" > "$scratch/$name.out" 2> "$scratch/$name.err"
    fi
    status=$?
    echo "$name ($checker) : statut $status en $(($(date +%s) - start)) s"
    if [ "$status" -eq 9 ]; then
        echo "ÉCHEC : fuites ou erreurs mémoire dans $name"
        cat "$scratch/$name.valgrind" 2> /dev/null || grep -A12 -E "ERROR|leak" "$scratch/$name.err"
        failures=$((failures + 1))
    elif [ "$status" -ne 0 ]; then
        echo "ÉCHEC : $name a rendu le statut $status"
        tail -n 30 "$scratch/$name.err" "$scratch/$name.out"
        failures=$((failures + 1))
    fi
}

check rapport "$selenarc" "${run[@]}" "${with_pdf[@]}"

windows=$(dirname "$selenarc")/tests/ui_test_main_window
if [ -x "$windows" ]; then
    check fenetres "$windows" runWithoutCurrentCycleLeavesNoDial helpWindowIsOneInstanceWithTheExactText
else
    echo "test des fenêtres absent : seul le rapport est vérifié"
fi
exit "$failures"
