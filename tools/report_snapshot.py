#!/usr/bin/env python3
"""Writes the --rapport output of many random persons to a folder, one file per person.

A refactor must leave every file byte-identical: run it before and after, then `diff -r`.
The persons depend only on the seed: births over the whole span of the tables, every
time-zone row, random "today"s and up to twelve events.

    tools/report_snapshot.py build/selenarc SNAPSHOT_FOLDER [--count 2000] [--seed 1]
"""
import argparse
import concurrent.futures
import datetime
import os
import random
import subprocess

FIRST_BIRTH = datetime.date(1820, 1, 1)
LAST_BIRTH = datetime.date(2280, 12, 31)
FIRST_NAMES = ["Jean", "Marie", "Élodie", "Zoé", "Hélène", "François", "Anaïs", "Noël", "Ève", "Loïc"]
LAST_NAMES = ["Dupont", "Lefèvre", "Martin", "Nguyen", "Da Silva", "Müller", "O'Brien", "Garçon"]
EVENT_NAMES = ["Mère", "Père", "Mariage", "Divorce", "Naissance de Léa", "Déménagement", "Moi", "Frère aîné"]


def random_date(rng, first, last):
    return first + datetime.timedelta(days=rng.randrange((last - first).days + 1))


def text(day):
    return f"{day.day:02d}/{day.month:02d}/{day.year:04d}"


def person_arguments(rng, index):
    birth = random_date(rng, FIRST_BIRTH, LAST_BIRTH)
    today = random_date(rng, birth, min(LAST_BIRTH, birth + datetime.timedelta(days=365 * 110)))
    arguments = [
        "--rapport",
        "--prenom", rng.choice(FIRST_NAMES),
        "--nom", f"{rng.choice(LAST_NAMES)}{index}",
        "--date", text(birth),
        "--heure", f"{rng.randrange(24):02d}h{rng.randrange(60):02d}",
        "--fuseau", str(index % 26),
        "--aujourdhui", f"{text(today)} {rng.randrange(24):02d}h{rng.randrange(60):02d}",
    ]
    for _ in range(rng.randrange(13)):
        day = random_date(rng, birth - datetime.timedelta(days=365 * 40), today)
        arguments += ["--evenement", f"{text(day)}={rng.choice(EVENT_NAMES)}"]
    return arguments


def run(program, folder, index, arguments):
    result = subprocess.run([program, *arguments], capture_output=True,
                            env={**os.environ, "QT_QPA_PLATFORM": "offscreen"})
    with open(os.path.join(folder, f"{index:05d}.txt"), "wb") as out:
        out.write(" ".join(arguments).encode() + b"\n")
        out.write(f"exit {result.returncode}\n".encode())
        out.write(result.stdout + b"\n--- stderr\n" + result.stderr)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program")
    parser.add_argument("folder")
    parser.add_argument("--count", type=int, default=2000)
    parser.add_argument("--seed", type=int, default=1)
    options = parser.parse_args()
    os.makedirs(options.folder, exist_ok=True)
    rng = random.Random(options.seed)
    persons = [person_arguments(rng, index) for index in range(options.count)]
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count()) as pool:
        for future in [pool.submit(run, options.program, options.folder, index, arguments)
                       for index, arguments in enumerate(persons)]:
            future.result()


if __name__ == "__main__":
    main()
