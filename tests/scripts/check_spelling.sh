#!/usr/bin/env bash
# Spelling of the shipped interpretation texts: every word of every piece (keys and comment lines
# left out) must be in the French dictionary or in tests/data/spelling-allow.txt.
# Usage: check_spelling.sh <selenarc-executable> <repository-root>
set -euo pipefail
export LC_ALL=C.UTF-8

root=${2:?usage: check_spelling.sh <selenarc-executable> <repository-root>}
folder="$root/data/interpretation"
allow="$root/tests/data/spelling-allow.txt"

# A missing or empty dictionary would let everything through: make sure it rejects a plain typo.
if [ "$(printf 'maisonn\n' | hunspell -d fr -l 2>&1)" != "maisonn" ]; then
    echo "hunspell ou son dictionnaire français est indisponible."
    exit 1
fi
[ -f "$allow" ] || { echo "Liste de mots admis manquante : $allow"; exit 1; }

status=0
for name in cycle-de-vie jupiter saturne; do
    file="$folder/$name.txt"
    [ -f "$file" ] || { echo "Fichier de textes manquant : $name.txt"; status=1; continue; }
    # hunspell reports elided words whole ("l'émotionel"): keep the word after the apostrophe
    # (straight or typographic), and drop apostrophes used as quotation marks.
    # The text of a piece follows the first tab of every line that is not a comment.
    unknown=$(grep -v '^#' "$file" | grep $'\t' | cut -f2- | tr -d '\r' | hunspell -d fr -l |
        sed -E "s/^[[:alpha:]]+['’]//; s/^['’]+//; s/['’]+\$//" |
        grep -v '^$' | sort -u | grep -vxF -f <(grep -v -e '^#' -e '^[[:space:]]*$' "$allow") || true)
    if [ -n "$unknown" ]; then
        echo "$name.txt : mots absents du dictionnaire et de la liste admise :"
        sed 's/^/  /' <<<"$unknown"
        status=1
    fi
done
[ $status -eq 0 ] && echo "Orthographe des textes : aucun mot inconnu."
exit $status
