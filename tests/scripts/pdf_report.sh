#!/usr/bin/env bash
# The PDF report written by the headless command: its text in reading order, its pages, the colours of
# its dials, and the failures that must leave no file behind.
set -u
selenarc=$1
failures=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "ÉCHEC : $*"
    failures=$((failures + 1))
}

for tool in pdftotext pdfinfo pdftoppm python3; do
    command -v "$tool" > /dev/null || { echo "outil manquant : $tool"; exit 1; }
done

person=(--prenom "Anne-Sophie" --nom "Lefèvre" --date 14/07/1962 --heure 08h15 --fuseau 13
        --aujourdhui "06/12/2026 10h30" --evenement "15/05/1985=Mariage" --evenement "01/09/1990=Élodie")

# A successful report: the JSON still on standard output, the PDF beside it and nothing else.
mkdir "$scratch/out"
"$selenarc" --rapport "${person[@]}" --pdf "$scratch/out/rapport.pdf" > "$scratch/report.json" 2> "$scratch/err"
status=$?
[ "$status" -eq 0 ] || fail "statut $status : $(cat "$scratch/err")"
[ "$(ls -A "$scratch/out")" = "rapport.pdf" ] || fail "fichiers laissés : $(ls -A "$scratch/out")"
pdftotext "$scratch/out/rapport.pdf" "$scratch/report.txt" || fail "pdftotext"
pdfinfo "$scratch/out/rapport.pdf" > "$scratch/info" || fail "pdfinfo"

python3 - "$scratch/report.json" "$scratch/report.txt" "$scratch/info" <<'PYEOF' || failures=$((failures + 1))
import json, re, sys, unicodedata

report = json.load(open(sys.argv[1]))
raw = open(sys.argv[2], encoding="utf-8").read()
info = open(sys.argv[3], encoding="utf-8").read()
problems = []

pages = int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))
if "595 x 842" not in info:
    problems.append("format de page autre que A4")
footers = re.findall(r"^Page (\d+) / (\d+)$", raw, re.M)
if [(int(n), int(t)) for n, t in footers] != [(n, pages) for n in range(1, pages + 1)]:
    problems.append(f"numéros de page {footers} pour {pages} pages")
if pages < 4:
    problems.append(f"{pages} pages seulement")

# The characters in reading order without the page numbers, bullets, blanks and hyphens (pdftotext
# joins a word cut at a hyphen at the end of a line).
def words(text):
    text = unicodedata.normalize("NFKC", text)
    text = re.sub(r"^Page \d+ / \d+$", " ", text, flags=re.M)
    return re.sub(r"[\s•-]", "", text)

body = words(raw)
position = 0
def expect(text, what):
    global position
    found = body.find(words(text), position)
    if found < 0:
        problems.append(f"{what} absent ou hors d'ordre : {text[:60]!r}")
    else:
        position = found + len(words(text))

expect("Anne-Sophie Lefèvre", "nom")
expect("Né(e) le 14/07/1962 à 08h15", "naissance")
expect("(GMT +01) Paris", "fuseau")
for planet in ("Soleil", "Lune", "Jupiter", "Saturne"):
    expect(planet + " :", "signe natal")
sections = [("Cycle de vie", "Combo2", "SoliLunarText"),
            ("Cycle socio-professionnel", "Combo3", "JupiterText"),
            ("Cycle d'individuation", "Combo4", "SaturnText")]
for title, combo, text in sections:
    expect(title, "titre")
    for entry in report[combo]:
        expect(entry + " — du", "liste")
    if combo == "Combo2":
        for event in report["Events"]:
            expect(event["date"] + " : " + event["name"], "événement")
    expect(report[text], "texte")
for problem in problems:
    print("ÉCHEC :", problem)
sys.exit(1 if problems else 0)
PYEOF

# The dial pages: the page where each title stands, rendered, holds red radii and blue rings;
# the first page holds neither.
dial_pages=()
for title in "Cycle de vie" "Cycle socio-professionnel" "Cycle d'individuation"; do
    page=$(python3 - "$scratch/report.txt" "$title" <<'PYEOF'
import sys
pages = open(sys.argv[1], encoding="utf-8").read().split("\f")
print(next((i + 1 for i, p in enumerate(pages) if sys.argv[2] in p.splitlines()), 0))
PYEOF
)
    [ "$page" -gt 1 ] || fail "page du titre « $title » introuvable"
    dial_pages+=("$page")
done
for page in 1 "${dial_pages[@]}"; do
    pdftoppm -r 75 -f "$page" -l "$page" "$scratch/out/rapport.pdf" "$scratch/page$page" || fail "pdftoppm $page"
done
python3 - "$scratch" "${dial_pages[@]}" <<'PYEOF' || failures=$((failures + 1))
import glob, sys

def pixels(path):
    # P6 file: "P6 width height 255" then RGB bytes.
    data = open(path, "rb").read()
    magic, width, height, maximum = data.split(maxsplit=4)[:4]
    body = data[-3 * int(width) * int(height):]
    return [tuple(body[i:i + 3]) for i in range(0, len(body), 3)]

def counts(path):
    red = blue = 0
    for r, g, b in pixels(path):
        red += r > 200 and g < 80 and b < 80
        blue += b > 200 and r < 80 and g < 80
    return red, blue

problems = []
folder, dial_pages = sys.argv[1], sys.argv[2:]
first = glob.glob(f"{folder}/page1-*.ppm")
if counts(first[0]) != (0, 0):
    problems.append(f"couleurs de cadran sur la première page : {counts(first[0])}")
for page in dial_pages:
    red, blue = counts(glob.glob(f"{folder}/page{page}-*.ppm")[0])
    if red < 30 or blue < 250:
        problems.append(f"page {page} : {red} pixels rouges, {blue} bleus")
for problem in problems:
    print("ÉCHEC :", problem)
sys.exit(1 if problems else 0)
PYEOF

# Failures: the reason on standard error, status 1, the JSON printed all the same, no file left.
expect_failure() {
    local target=$1 reason=$2
    "$selenarc" --rapport "${person[@]}" --pdf "$target" > "$scratch/out.json" 2> "$scratch/err"
    local got=$?
    [ "$got" -eq 1 ] || fail "statut $got au lieu de 1 pour $target"
    grep -qF "Impossible d'écrire le fichier « $target » : $reason" "$scratch/err" ||
        fail "message reçu : $(cat "$scratch/err")"
    python3 -c 'import json, sys; json.load(open(sys.argv[1]))' "$scratch/out.json" || fail "JSON absent"
}
expect_failure "$scratch/absent/rapport.pdf" "le dossier « $scratch/absent » n'existe pas."
[ ! -e "$scratch/absent" ] || fail "dossier créé"
mkdir "$scratch/folder.pdf"
expect_failure "$scratch/folder.pdf" "c'est un dossier."
[ -z "$(ls -A "$scratch/folder.pdf")" ] || fail "fichier laissé dans $scratch/folder.pdf"

# A failed run writes no PDF at all.
"$selenarc" --rapport --prenom Anne --nom Lefèvre --date 31/02/1962 --pdf "$scratch/none.pdf" > /dev/null 2>&1
[ ! -e "$scratch/none.pdf" ] || fail "PDF écrit après un refus"

if [ "$failures" -ne 0 ]; then
    echo "$failures échec(s)"
    exit 1
fi
echo "rapport PDF : tout est conforme"
