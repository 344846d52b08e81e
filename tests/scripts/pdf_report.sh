#!/usr/bin/env bash
# The PDF report written by the headless command: its text in reading order, its pages, the colours of
# its dials, and no file left by a refused run.
source "$(dirname "$0")/../support/script_checks.sh"
for tool in pdftotext pdfinfo pdftoppm python3; do
    command -v "$tool" > /dev/null || { echo "outil manquant : $tool"; exit 1; }
done
person=(--prenom "Anne-Sophie" --nom "Lefèvre" --date 14/07/1962 --heure 08h15 --fuseau 13
        --aujourdhui "06/12/2026 10h30" --evenement "15/05/1985=Mariage" --evenement "01/09/1990=Élodie")

# A successful report: the JSON still on standard output, the PDF beside it and nothing else.
mkdir "$scratch/out"
"$selenarc" --rapport "${person[@]}" --pdf "$scratch/out/rapport.pdf" > "$scratch/report.json" 2> "$scratch/err" ||
    fail "statut $? : $(cat "$scratch/err")"
[ "$(ls -A "$scratch/out")" = "rapport.pdf" ] || fail "fichiers laissés : $(ls -A "$scratch/out")"
python3 - "$scratch" <<'PYEOF' || failures=$((failures + 1))
import glob, json, re, subprocess, sys, unicodedata
folder = sys.argv[1]
pdf = f"{folder}/out/rapport.pdf"
report = json.load(open(f"{folder}/report.json"))
raw = subprocess.run(["pdftotext", pdf, "-"], capture_output=True, encoding="utf-8", check=True).stdout
info = subprocess.run(["pdfinfo", pdf], capture_output=True, encoding="utf-8", check=True).stdout
problems = []
pages = int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))
footers = [(int(n), int(t)) for n, t in re.findall(r"^Page (\d+) / (\d+)$", raw, re.M)]
if "595 x 842" not in info or pages < 4 or footers != [(n, pages) for n in range(1, pages + 1)]:
    problems.append(f"pages : {pages}, pieds de page {footers}, {info}")

# The characters in reading order without page numbers, bullets, blanks and hyphens (pdftotext joins
# a word cut at a hyphen at the end of a line).
def words(text):
    text = re.sub(r"^Page \d+ / \d+$", " ", unicodedata.normalize("NFKC", text), flags=re.M)
    return re.sub(r"[\s•-]", "", text)
body, position = words(raw), 0
def expect(text):
    global position
    found = body.find(words(text), position)
    if found < 0:
        problems.append(f"absent ou hors d'ordre : {text[:60]!r}")
    else:
        position = found + len(words(text))
for text in ("Anne-Sophie Lefèvre", "Né(e) le 14/07/1962 à 08h15", "(GMT +01) Paris", "Soleil :", "Lune :",
             "Jupiter :", "Saturne :", "Les cycles d'aujourd'hui", "Cycle de vie, ", "Cycle d'individuation, ",
             "du "):
    expect(text)
for title, combo, text in [("Cycle de vie", "Combo2", "SoliLunarText"),
                           ("Cycle socio-professionnel", "Combo3", "JupiterText"),
                           ("Cycle d'individuation", "Combo4", "SaturnText")]:
    expect(title)
    for entry in report[combo]:
        expect(entry + " — du")
    for event in report["Events"] if combo == "Combo2" else []:
        expect(event["date"] + " : " + event["name"])
    expect(report[text])

# The page where each cycle title stands, rendered, holds red radii and blue rings.
def colours(page):
    subprocess.run(["pdftoppm", "-r", "75", "-f", str(page), "-l", str(page), pdf, f"{folder}/p{page}"], check=True)
    data = open(glob.glob(f"{folder}/p{page}-*.ppm")[0], "rb").read()
    width, height = map(int, data.split(maxsplit=3)[1:3])
    rgb = data[-3 * width * height:]
    pixels = [rgb[i:i + 3] for i in range(0, len(rgb), 3)]
    return (sum(r > 200 and g < 80 and b < 80 for r, g, b in pixels),
            sum(b > 200 and r < 80 and g < 80 for r, g, b in pixels))
sheets = raw.split("\f")
for title in ("Cycle de vie", "Cycle socio-professionnel", "Cycle d'individuation"):
    page = next((i + 1 for i, p in enumerate(sheets) if title in p.splitlines()), 0)
    red, blue = colours(page) if page > 1 else (0, 0)
    if red < 30 or blue < 250:
        problems.append(f"cadran « {title} » page {page} : {red} pixels rouges, {blue} bleus")
for problem in problems:
    print("ÉCHEC :", problem)
sys.exit(1 if problems else 0)
PYEOF

# A failed run writes no PDF at all.
"$selenarc" --rapport --prenom Anne --nom Lefèvre --date 31/02/1962 --pdf "$scratch/none.pdf" > /dev/null 2>&1
[ ! -e "$scratch/none.pdf" ] || fail "PDF écrit après un refus"
[ "$failures" -eq 0 ] || { echo "$failures échec(s)"; exit 1; }
echo "rapport PDF : tout est conforme"
