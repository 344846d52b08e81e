#!/usr/bin/env bash
# The headless report: exit statuses, the exact messages on standard error, the JSON keys and a
# few values that the worked examples fix.
source "$(dirname "$0")/../support/script_checks.sh"

# expect STATUS STDERR-TEXT ARGS...: runs the report, checks the status and, when given, stderr.
expect() {
    local status=$1 message=$2
    shift 2
    "$selenarc" --rapport "$@" > "$scratch/out" 2> "$scratch/err"
    local got=$?
    [ "$got" -eq "$status" ] || fail "statut $got au lieu de $status pour : $*"
    if [ -n "$message" ]; then
        grep -qxF -- "$message" "$scratch/err" || fail "message attendu « $message », reçu « $(cat "$scratch/err") »"
    fi
    if [ "$status" -ne 0 ] && [ -s "$scratch/out" ]; then
        fail "sortie standard non vide pour : $*"
    fi
}

now=(--aujourdhui "06/12/2026 10h30")
person=(--prenom Jean --nom Dupont)

# Births outside the tables, and a choice of hour the option does not know (the other checks' messages
# are pinned by the unit tests).
expect 2 "Date de naissance : hors des tables (du 01/01/1820 au 31/12/2280)" "${person[@]}" --date 31/12/1819 "${now[@]}"
expect 64 "" --heure-repetee automne

# A birthplace that names no place, or several; an hour the clocks showed twice, with its choice.
paris=(--lieu "Paris (Paris, France)")
expect 2 "Lieu de naissance inconnu : « Nulle-Part-sur-Rien »." "${person[@]}" --lieu Nulle-Part-sur-Rien
expect 2 "" "${person[@]}" --lieu brest
tr -d '\r' < "$scratch/err" | grep -qxF "Brest (Bélarus)" || fail "--lieu brest : $(cat "$scratch/err")"
expect 0 "" "${person[@]}" "${now[@]}" "${paris[@]}" --date 26/09/1976 --heure 00h30 --heure-repetee hiver
python3 -c 'import json, sys; sys.exit(json.load(open(sys.argv[1]))["BirthUT"] != "25/09/1976 23h30")' \
    "$scratch/out" || fail "heure répétée, heure d'hiver"

# Brest in 1880 kept its own mean time, 4.4863° west: 17 min 57 s behind universal time.
expect 0 "" "${person[@]}" "${now[@]}" --lieu "Brest (Finistère, France)" --date 01/01/1880 --heure 12h00
python3 - "$scratch/out" <<'EOF' || failures=$((failures + 1))
import datetime, json, sys
report = json.load(open(sys.argv[1]))
universal = datetime.datetime(1880, 1, 1, 12, 0, 0) + datetime.timedelta(seconds=round(4.4863 * 240))
jd = 2440587.5 + (universal - datetime.datetime(1970, 1, 1)).total_seconds() / 86400
clock = {key: report[key] for key in ("BirthUT", "BirthPlace", "TimeZoneId", "UtcOffsetSeconds", "OffsetKind")}
expected = {"BirthUT": "01/01/1880 12h17", "BirthPlace": "Brest (Finistère, France)",
            "TimeZoneId": "Europe/Paris", "UtcOffsetSeconds": -1077, "OffsetKind": "temps moyen local"}
# The day fraction of the minute is rounded to 1/100,000 day; the 57 seconds come on top of it.
if clock != expected or abs(report["BirthJD"] - jd) > 1e-5 or abs(report["BirthJD"] - jd + 57 / 86400) < 1e-5:
    print("ÉCHEC (Brest 1880) :", clock, report["BirthJD"], jd)
    sys.exit(1)
EOF

# A full report for the worked person: 01/01/1950 12h00, GMT+1.
expect 0 "" "${person[@]}" "${now[@]}" --evenement "15/05/1975=Mariage" --evenement "" \
    --evenement "01/01/2000=  An 2000 "
python3 - "$scratch/out" <<'EOF' || failures=$((failures + 1))
import json, sys
report = json.load(open(sys.argv[1]))
expected = {"BirthUT": "01/01/1950 11h00", "BirthJD": 2433282.95833, "BirthLunation": 618,
            "CurrentJupiterCycle": 7, "Combo3Selected": 6, "CurrentSaturnCycle": 3, "CurrentAge": 76,
            "NatalMoonSign": 3, "NatalSunSign": 10, "BirthPlace": "", "TimeZoneId": "Etc/GMT-1",
            "UtcOffsetSeconds": 3600, "OffsetKind": "fuseau"}
report["Events"] = [(e["name"], e["date"]) for e in report["Events"]]
expected["Events"] = [("Mariage", "15/05/1975"), ("An 2000", "01/01/2000")]
problems = [f"{key}: {report.get(key)!r} au lieu de {value!r}" for key, value in expected.items()
            if report.get(key) != value]
# The dial of the current cycle c shows the signs of the span it draws: QuarterSign row c - 1.
for planet, current in (("Jupiter", "CurrentJupiterCycle"), ("Saturn", "CurrentSaturnCycle")):
    row = report[planet + "Table"]["QuarterSign"][report[current] - 1]
    if report[planet + "DialSigns"] != [int(sign) if sign.strip() else 0 for sign in row]:
        problems.append(f"{planet}DialSigns {report[planet + 'DialSigns']} au lieu de la ligne {row}")
for problem in problems:
    print("ÉCHEC :", problem)
sys.exit(1 if problems else 0)
EOF

# With no current cycle the dials show no sign.
expect 0 "" "${person[@]}" --date 01/01/1820 "${now[@]}"
python3 -c 'import json, sys; r = json.load(open(sys.argv[1])); sys.exit(r["JupiterDialSigns"] + r["SaturnDialSigns"] != [0] * 8)' \
    "$scratch/out" || fail "signes de cadran sans cycle courant"

# A saved person (Windows-1252, CR LF, lower-case key): names from the file name, events included.
printf 'dna=14/07/1975\r\nHNA=08h45\r\nFUS=12\r\nE-D=15/05/1999\r\nE-N=F\xeate\r\n' > "$scratch/Zo_Anne#Dupont-Martin.atl"
expect 0 "" --fichier "$scratch/Zo_Anne#Dupont-Martin.atl" "${now[@]}"
python3 -c 'import json, sys; r = json.load(open(sys.argv[1])); sys.exit(r["BirthUT"] != "14/07/1975 08h45" or [(e["name"], e["date"]) for e in r["Events"]] != [("Fête", "15/05/1999")])' \
    "$scratch/out" || fail "--fichier : $(cat "$scratch/out")"

# A saved place the list of places no longer holds: said, then computed with the row saved beside it.
printf 'DNA=14/07/1975\r\nHNA=08h45\r\nFUS=12\r\nLIE=999999999;Atlantide (Océan)\r\n' > "$scratch/Zo#Atlantide.atl"
expect 0 "Le lieu « Atlantide (Océan) » n'est plus dans la liste des lieux : l'heure de naissance est lue avec le fuseau horaire de la liste, sans heure d'été." \
    --fichier "$scratch/Zo#Atlantide.atl" "${now[@]}"
python3 -c 'import json, sys; sys.exit(json.load(open(sys.argv[1]))["BirthUT"] != "14/07/1975 08h45")' \
    "$scratch/out" || fail "lieu disparu : pas calculé avec le fuseau de la fiche"

if [ "$failures" -eq 0 ]; then
    echo "rapport : tout est conforme"
fi
exit $((failures > 0))
