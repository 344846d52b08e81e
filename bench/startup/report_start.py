#!/usr/bin/env python3
"""Start-up cost of the headless report against a bare Qt program: median CPU time (user + system)
and wall time of RUNS runs each, from the kernel's accounting of each child process.

    bench/startup/report_start.py BUILD_FOLDER [RUNS]
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

build = sys.argv[1]
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 30
person = ["--rapport", "--prenom", "Jean", "--nom", "Dupont", "--date", "01/01/1950", "--heure", "12h00",
          "--aujourdhui", "06/12/2026 10h30"]


def run(command):
    """CPU and wall milliseconds of one run."""
    start = time.perf_counter()
    child = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{command[0]}: exit status {os.waitstatus_to_exitcode(status)}")
    return (usage.ru_utime + usage.ru_stime) * 1000, (time.perf_counter() - start) * 1000


with tempfile.TemporaryDirectory() as scratch:
    commands = {
        "bare QCoreApplication": [f"{build}/bench/startup/qt_bare_start", "core"],
        "bare QGuiApplication": [f"{build}/bench/startup/qt_bare_start", "gui"],
        "selenarc --rapport": [f"{build}/selenarc", *person],
        "selenarc --rapport --pdf": [f"{build}/selenarc", *person, "--pdf", f"{scratch}/rapport.pdf"],
    }
    # Round robin, so that a change of load on the machine touches every program alike.
    samples = {name: [] for name in commands}
    for _ in range(runs):
        for name, command in commands.items():
            samples[name].append(run(command))
median = {}
for name, values in samples.items():
    median[name] = statistics.median(cpu for cpu, _ in values)
    print(f"{name:28} CPU {median[name]:6.1f} ms   wall {statistics.median(wall for _, wall in values):6.1f} ms")
report = median["selenarc --rapport"]
print(f"report / bare QCoreApplication: {report / median['bare QCoreApplication']:.2f}; "
      f"/ bare QGuiApplication: {report / median['bare QGuiApplication']:.2f}")
