"""pandas reads what trelvox writes for analysis: the flat CSV in both layouts and the units row.

Usage: pandas_reads_csv.py TRELVOX MAKE_DEMO_LOG. Exits 77 where pandas is not installed.
"""

import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

try:
    import pandas as pd
except ImportError:
    print("SKIPPED: pandas is not installed")
    sys.exit(77)

TRELVOX, MAKE_DEMO_LOG = sys.argv[1], sys.argv[2]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def convert(folder, base, *options):
    subprocess.run([TRELVOX, "-f", *options, os.path.join(folder, base + ".KLD")],
                   check=True, capture_output=True)
    return os.path.join(folder, base + ".csv")


def gpx_points(path):
    points = ElementTree.parse(path).getroot().iter("{http://www.topografix.com/GPX/1/1}trkpt")
    return [(float(p.get("lat")), float(p.get("lon"))) for p in points]


def flat_positions(frame):
    """The fixes of the flat file in order, each once while it stays the same, as a track has them."""
    latitude = next(c for c in frame.columns if c.endswith("LATITUDE [°]"))
    longitude = next(c for c in frame.columns if c.endswith("LONGITUDE [°]"))
    positions = []
    for lat, lon in zip(frame[latitude], frame[longitude]):
        if pd.isna(lat) or pd.isna(lon) or lat == 0:
            continue
        if not positions or positions[-1] != (lat, lon):
            positions.append((lat, lon))
    return positions


def is_clock(column):
    """Clock texts (GPS time of day, operation times) stay texts: h:mm:ss, every word in full."""
    return column.dropna().str.fullmatch(r"\s*\d+:\d{2,}:\d{2,}").all()


def check_flat(frame, layout):
    check(frame.columns.is_unique, f"{layout}: names are not unique")
    check(not any(str(c).startswith("Unnamed") for c in frame.columns),
          f"{layout}: a column without a name (a trailing separator?)")
    text_columns = [c for c in frame.columns
                    if not pd.api.types.is_numeric_dtype(frame[c]) and not is_clock(frame[c])]
    check(not text_columns, f"{layout}: columns read as text: {text_columns}")
    check(frame.isna().any().any(), f"{layout}: no missing reading came through as NaN")
    check(frame.index.name == "TIME [ms]" and frame.index.is_monotonic_increasing,
          f"{layout}: TIME is not the numeric index")


with tempfile.TemporaryDirectory() as folder:
    subprocess.run([MAKE_DEMO_LOG, os.path.join(folder, "demo")], check=True, capture_output=True)
    subprocess.run([MAKE_DEMO_LOG, "--all-devices", os.path.join(folder, "all")], check=True,
                   capture_output=True)

    for base in ("demo", "all"):
        english = pd.read_csv(convert(folder, base, "--flat", "--gpx"), index_col="TIME [ms]")
        check_flat(english, base)
        german = pd.read_csv(convert(folder, base, "--flat", "--decimal", ","), sep=";",
                             decimal=",", index_col="TIME [ms]")
        check_flat(german, base + " (German)")
        check(german.equals(english), f"{base}: the German layout reads differently")

    demo = pd.read_csv(convert(folder, "demo", "--flat", "--gpx"), index_col="TIME [ms]")
    track = gpx_points(os.path.join(folder, "demo.gpx"))
    check(len(track) > 0 and flat_positions(demo) == track, "positions differ from the GPX's")
    check("GPS ALTITUDE [m]" in demo.columns, "no 'GPS ALTITUDE [m]' column")

    units = pd.read_csv(convert(folder, "demo", "--units"), header=None, skiprows=3, nrows=1)
    check("°C" in units.values.ravel().tolist(), "the units row has no °C")

for failure in failures:
    print("FAILED:", failure)
sys.exit(1 if failures else 0)
