#!/usr/bin/env bash
# Person files and data that cannot be lost, hijacked or silently wrong: two saves of one person at
# once, planted symbolic links, a pipe named like a person file, and a data folder with a missing file
# (the table readers' own messages are pinned by the unit tests).
source "$(dirname "$0")/../support/script_checks.sh"
source_dir=$2
save_person=$(dirname "$selenarc")/tests/save_person

now=(--aujourdhui "06/12/2026 10h30")
folder=$scratch/fiches
mkdir -p "$folder"

# Two saves of one person at once: the first is held in the middle of its writing while the second
# saves whole. Exactly one record is left, whole, and only its writer says it was saved.
"$save_person" "$folder" Jean Dupont 01/01/1950 Lent "$scratch/go" > "$scratch/slow.out" &
slow=$!
for _ in $(seq 300); do
    grep -q "à mi-chemin" "$scratch/slow.out" && break
    sleep 0.1
done
"$save_person" "$folder" Jean Dupont 01/01/1950 Rapide > "$scratch/fast.out" || fail "la sauvegarde rapide a échoué"
touch "$scratch/go"
wait $slow && fail "la sauvegarde retenue dit avoir réussi : $(cat "$scratch/slow.out")"
grep -q "a changé pendant l'écriture" "$scratch/slow.out" || fail "message de la sauvegarde retenue : $(cat "$scratch/slow.out")"
grep -qx "Enregistrement effectué" "$scratch/fast.out" || fail "message de la sauvegarde rapide : $(cat "$scratch/fast.out")"
file="$folder/Jean#Dupont.atl"
[ "$(grep -c $'\r$' "$file")" -eq 27 ] && [ "$(wc -l < "$file")" -eq 27 ] || fail "fiche incomplète : $(cat -A "$file")"
grep -q "^E-N=Rapide" "$file" && ! grep -q "Lent" "$file" || fail "la fiche ne tient pas le seul dernier enregistrement"
[ "$(ls -A "$folder")" = "Jean#Dupont.atl" ] || fail "fichiers restants : $(ls -A "$folder")"

# A link planted at the temporary names of earlier versions is never followed.
echo "original" > "$scratch/victim"
for name in "Paul#Martin.atl.tmp" "Paul#Martin.atl.tmp.1" ".Paul#Martin.atl.tmp"; do
    ln -s "$scratch/victim" "$folder/$name"
done
"$save_person" "$folder" Paul Martin 01/01/1950 X > "$scratch/out" || fail "sauvegarde à côté des liens : $(cat "$scratch/out")"
[ "$(cat "$scratch/victim")" = "original" ] || fail "la cible d'un lien planté a été modifiée"
[ -f "$folder/Paul#Martin.atl" ] && [ ! -L "$folder/Paul#Martin.atl" ] || fail "Paul#Martin.atl n'est pas un fichier ordinaire"

# A person file that is a link is not replaced through it.
echo "original" > "$scratch/victim2"
ln -s "$scratch/victim2" "$folder/Anne#Roy.atl"
"$save_person" "$folder" Anne Roy 01/01/1950 X > "$scratch/out" && fail "sauvegarde au travers d'un lien"
grep -q "est un lien symbolique" "$scratch/out" || fail "message du lien : $(cat "$scratch/out")"
[ "$(cat "$scratch/victim2")" = "original" ] && [ -L "$folder/Anne#Roy.atl" ] || fail "le lien ou sa cible a changé"

# A pipe named like a person file: an answer within a second, with a message naming it.
mkfifo "$scratch/F#o.atl"
start=$(date +%s%N)
timeout 10 "$selenarc" --rapport --fichier "$scratch/F#o.atl" "${now[@]}" > /dev/null 2> "$scratch/err"
status=$?
elapsed=$((($(date +%s%N) - start) / 1000000))
[ "$status" -eq 2 ] || fail "tube : statut $status au lieu de 2"
[ "$elapsed" -lt 1000 ] || fail "tube : réponse en $elapsed ms"
grep -qxF "« $scratch/F#o.atl » n'est pas un fichier ordinaire (tube, périphérique ou prise), pas une fiche." \
    "$scratch/err" || fail "tube : message « $(cat "$scratch/err") »"

# A copy of the program beside a data folder without sl.txt: said, naming the folder it looked in.
program=$(realpath "$scratch")/programme
mkdir -p "$program"
cp "$selenarc" "$program/selenarc"
cp -r "$source_dir/data" "$program/data"
rm "$program/data/sl.txt"
"$program/selenarc" --rapport --prenom Jean --nom Dupont "${now[@]}" > /dev/null 2> "$scratch/err"
status=$?
[ "$status" -eq 2 ] || fail "sl.txt absent : statut $status au lieu de 2"
grep -qxF "Le dossier de données « $program/data » est incomplet : il y manque « sl.txt »." "$scratch/err" ||
    fail "sl.txt absent : message « $(cat "$scratch/err") »"

[ "$failures" -eq 0 ] || { echo "$failures échec(s)"; exit 1; }
echo "robust_files : tout est correct"
