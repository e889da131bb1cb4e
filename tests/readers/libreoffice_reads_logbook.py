"""LibreOffice Calc, set to German, reads a logbook written with a decimal comma: its dates, times,
durations and numbers come through as numbers, not text.

Usage: libreoffice_reads_logbook.py TRELVOX MAKE_DEMO_LOG. Exits 77 where soffice is missing.
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile

TRELVOX, MAKE_DEMO_LOG = sys.argv[1], sys.argv[2]
SOFFICE = shutil.which("soffice")
if SOFFICE is None:
    print("SKIPPED: LibreOffice (soffice) is not installed")
    sys.exit(77)

# Semicolon-separated, quoted with ", UTF-8, from row 1, German (1031) for numbers and dates.
GERMAN_CSV = "CSV:59,34,76,1,,1031"
NUMERIC_COLUMNS = ["date", "start_time_utc", "duration", "records", "max_height_m",
                   "max_distance_m", "max_ground_speed_kmh", "min_receiver_voltage_v",
                   "max_current_a", "capacity_used_mah", "max_temperature_c", "duration_s"]


def cell_types(xlsx):
    """The type of each cell of the second row by column letter: 'n' for numbers, 's' for texts."""
    sheet = zipfile.ZipFile(xlsx).read("xl/worksheets/sheet1.xml").decode()
    return {column: kind for column, kind in re.findall(r'<c r="([A-Z]+)2"[^>]* t="(\w+)"', sheet)}


with tempfile.TemporaryDirectory() as folder:
    subprocess.run([MAKE_DEMO_LOG, os.path.join(folder, "demo")], check=True, capture_output=True)
    book = os.path.join(folder, "book.csv")
    subprocess.run([TRELVOX, "--no-csv", "--decimal", ",", "--date", "2026-12-09", "--logbook",
                    book, os.path.join(folder, "demo.KLD")], check=True, capture_output=True)
    names = open(book, encoding="utf-8").readline().rstrip("\r\n").split(";")
    # A profile of its own, so that no user's settings or running office interfere.
    subprocess.run([SOFFICE, "-env:UserInstallation=file://" + os.path.join(folder, "profile"),
                    "--headless", "--infilter=" + GERMAN_CSV, "--convert-to", "xlsx", "--outdir",
                    folder, book], check=True, capture_output=True, timeout=120)
    types = cell_types(os.path.join(folder, "book.xlsx"))

letters = [chr(ord("A") + i) for i in range(len(names))]
column_types = dict(zip(names, (types.get(letter) for letter in letters)))
texts = [name for name in NUMERIC_COLUMNS if column_types.get(name) != "n"]
if texts:
    print("FAILED: read as text or missing:", texts, column_types)
    sys.exit(1)
