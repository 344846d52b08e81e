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


def measure(name, command):
    cpu, wall = [], []
    for _ in range(runs):
        start = time.perf_counter()
        child = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _, status, usage = os.wait4(child.pid, 0)
        wall.append((time.perf_counter() - start) * 1000)
        cpu.append((usage.ru_utime + usage.ru_stime) * 1000)
        if os.waitstatus_to_exitcode(status) != 0:
            sys.exit(f"{name}: exit status {os.waitstatus_to_exitcode(status)}")
    print(f"{name:28} CPU {statistics.median(cpu):6.1f} ms   wall {statistics.median(wall):6.1f} ms")
    return statistics.median(cpu)


bare = measure("bare QCoreApplication", [f"{build}/bench/startup/qt_bare_start", "core"])
bare_gui = measure("bare QGuiApplication", [f"{build}/bench/startup/qt_bare_start", "gui"])
report = measure("selenarc --rapport", [f"{build}/selenarc", *person])
with tempfile.TemporaryDirectory() as scratch:
    measure("selenarc --rapport --pdf", [f"{build}/selenarc", *person, "--pdf", f"{scratch}/rapport.pdf"])
print(f"report / bare QCoreApplication: {report / bare:.2f}; / bare QGuiApplication: {report / bare_gui:.2f}")
