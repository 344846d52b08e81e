#!/usr/bin/env bash
# The command line as the program reads it before any window system: each line's exit status, what
# standard output holds (nothing, the usage, the version or one valid JSON object) and the message on
# standard error. Run with no display at all: none of these lines may need one.
source "$(dirname "$0")/../support/script_checks.sh"

unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb  # a window system that is not there: any use of it would abort
export XDG_DATA_HOME="$scratch/home"

now=(--aujourdhui "06/12/2026 10h30")
first_name_refused="Le prénom ne peut contenir les caractères * ? / \\ : & @ % ! # , ; ."

# run STATUS STDOUT STDERR ARGS...: STDOUT is vide|usage|version|json; STDERR a line it must hold ("" = any).
run() {
    local status=$1 output=$2 message=$3
    shift 3
    "$selenarc" "$@" > "$scratch/out" 2> "$scratch/err"
    local got=$? line="selenarc $*"
    [ "$got" -eq "$status" ] || fail "statut $got au lieu de $status : $line ($(head -c 300 "$scratch/err"))"
    case $output in
        vide) [ ! -s "$scratch/out" ] || fail "sortie standard non vide : $line" ;;
        usage) head -n 1 "$scratch/out" | grep -q '^usage : selenarc' || fail "pas d'usage sur stdout : $line" ;;
        version) grep -qx 'selenarc [0-9][0-9.]*' "$scratch/out" || fail "pas de version sur stdout : $line" ;;
        json) python3 -c 'import json, sys; json.loads(open(sys.argv[1], "rb").read().decode("utf-8"))' \
                  "$scratch/out" 2> /dev/null || fail "JSON invalide sur stdout : $line" ;;
    esac
    if [ -n "$message" ]; then
        grep -qxF -- "$message" "$scratch/err" || fail "message attendu « $message », reçu « $(cat "$scratch/err") »"
    fi
    if [ "$output" != json ] && [ "$output" != vide ] && [ -s "$scratch/err" ]; then
        fail "sortie d'erreur non vide : $line"
    fi
}

run 0 usage "" --help
run 0 version "" --version
run 64 vide "selenarc : option inconnue : --inconnue" --inconnue
run 64 vide "selenarc : option inconnue : -platform" -platform offscreen
grep -q '^usage : selenarc' "$scratch/err" || fail "pas d'usage sur stderr après une option inconnue"

# The places the completion offers, in its order; no display needed either.
run 0 lieux "" --lieux "st eti"
[ "$(head -n 1 "$scratch/out")" = "Saint-Étienne (Loire, France)" ] || fail "--lieux : $(head -n 1 "$scratch/out")"
run 2 vide "Aucun lieu ne correspond à « qqzz »." --lieux qqzz

# Person data that look like Qt's own options are only values.
run 0 json "" --rapport --prenom -platform --nom Dupont "${now[@]}"

# A name the window refuses.
run 2 vide "$first_name_refused" --rapport --prenom 'Jean*' --nom Dupont "${now[@]}"

# A saved person named without a folder is the data folder's.
mkdir -p "$XDG_DATA_HOME/selenarc"
printf 'DNA=14/07/1975\r\nHNA=08h45\r\nFUS=12\r\n' > "$XDG_DATA_HOME/selenarc/Zoé#Dupont.atl"
run 0 json "" --rapport --fichier 'Zoé#Dupont.atl' "${now[@]}"
python3 -c 'import json, sys; sys.exit(json.load(open(sys.argv[1]))["BirthUT"] != "14/07/1975 08h45")' \
    "$scratch/out" || fail "--fichier sans dossier : mauvaise personne"
run 2 vide "" --rapport --fichier 'Absent#Dupont.atl' "${now[@]}"

# A PDF that cannot be written: its reason on standard error, nothing on standard output.
touch "$scratch/plain"
run 1 vide "" --rapport --prenom Jean --nom Dupont --pdf "$scratch/plain/rapport.pdf" "${now[@]}"
[ -s "$scratch/err" ] || fail "aucun message pour le PDF impossible"

[ "$failures" -eq 0 ] || { echo "$failures échec(s)"; exit 1; }
echo "ligne de commande : tout est conforme"
