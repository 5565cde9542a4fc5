"""The study's own reading and writing of tree-ring files: the decadal
ring-width and index layouts that veska reads, the Heidelberg layout that it
does not read yet, the pair lines of the report VESKA.OUT and the pair table
of veska-console --table."""

import csv
import math
import re


def decadal_lines(ident, first, values, thousandths=False):
    """One series in the decadal ring-width layout: identifier in columns 1-8,
    year in 9-12, up to ten 6-wide values, one decade per line (the first line
    runs from the first year to the end of its decade). Values in hundredths end
    with 999; a series holding a true 999 is written in thousandths instead,
    ending with -9999. Values already in thousandths (`thousandths`) end with
    -9999, a true 999 among them written as 1000."""
    if thousandths:
        cells = [1000 if v == 999 else v for v in values] + [-9999]
    elif 999 in values:
        cells = [10 * v for v in values] + [-9999]
    else:
        cells = list(values) + [999]
    lines, row = [], []
    for k, v in enumerate(cells):
        year = first + k
        row.append(v)
        if (year + 1) % 10 == 0 or k == len(cells) - 1:
            start = year - len(row) + 1
            # A year before -999 takes column 8 too, the identifier 1-7.
            head = f"{ident:<7.7}{start:5d}" if start < -999 else f"{ident:<8.8}{start:4d}"
            lines.append(head + "".join(f"{x:6d}" for x in row))
            row = []
    return lines


def write_decadal(path, series, thousandths=False):
    """series: (identifier, first year, whole values in hundredths, or in
    thousandths) triples."""
    lines = []
    for ident, first, values in series:
        lines += decadal_lines(ident, first, values, thousandths)
    with open(path, "w", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


def read_heidelberg(path):
    """Series of a Heidelberg file: dicts with the header's keys and 'values'.
    Each series is a HEADER: block of Key=Value lines and a DATA: block of
    6-wide integers; DATA:Single holds one integer per ring, DATA:Quadro four
    (the value, then sample count and the counts rising and falling). Both are
    padded with zeros beyond the header's Length."""
    series, current, mode = [], None, None
    with open(path, encoding="latin-1") as f:
        for raw in f:
            line = raw.rstrip("\r\n")
            if line.startswith("HEADER:"):
                current = {"numbers": []}
                series.append(current)
                mode = "header"
            elif line.startswith("DATA:"):
                current["layout"] = line[5:].strip()
                mode = "data"
            elif mode == "header" and "=" in line:
                key, value = line.split("=", 1)
                current[key.strip()] = value.strip()
            elif mode == "data":
                for c in range(0, len(line.rstrip()), 6):
                    field = line[c:c + 6].strip()
                    if field:
                        current["numbers"].append(int(field))
    for s in series:
        step = 4 if s.get("layout") == "Quadro" else 1
        s["values"] = s.pop("numbers")[::step][:int(s["Length"])]
    return series


def _number(text):
    """A report field as a number: asterisks (too wide for the field) as NaN."""
    try:
        return float(text)
    except ValueError:
        return math.nan


def read_pair_lines(path):
    """The pair lines of VESKA.OUT: (first identifier, second identifier, star,
    three slots), each slot (last ring of the first series, last ring of the
    second, overlap, correlation, t). A pair line has blanks in columns 1-3 and
    three 23-column slots from column 21; the headers and separators under the
    match heading do not parse as slots."""
    pairs = []
    with open(path, encoding="latin-1") as f:
        lines = f.read().split("\n")
    in_match = False
    for line in lines:
        if "BEST THREE MATCHING POSITIONS" in line:
            in_match = True
            continue
        if not in_match or len(line) < 89 or line[:3] != "   " or line[3:11].strip() == "":
            continue
        if line.lstrip().startswith(("FIRST", "SERIES")):
            continue
        slots = []
        for k in range(3):
            s = line[20 + 23 * k: 43 + 23 * k]
            slots.append((int(s[0:5]), int(s[5:10]), int(s[10:14]), _number(s[14:18]),
                          _number(s[18:23])))
        pairs.append((line[3:11].rstrip(), line[12:20].rstrip(), line[11] == "*", slots))
    return pairs


def text_lines(path):
    """The lines of a data file as veska takes them: a line ends at LF or at a
    run of CRs (with an LF right after it), is UTF-8 when it decodes as such
    and Latin-1 otherwise, and is cut or padded to 80 columns."""
    with open(path, "rb") as f:
        data = f.read()
    if data.startswith(b"\xef\xbb\xbf"):
        data = data[3:]
    raw = re.split(rb"\r*\n|\r+", data)
    if raw and raw[-1] == b"":
        raw.pop()
    lines = []
    for r in raw:
        try:
            text = r.decode("utf-8")
        except UnicodeDecodeError:
            text = r.decode("latin-1")
        lines.append(text[:80].ljust(80))
    return lines


def _integer(field):
    """A fixed field read as veska reads it: blanks ignored, blank is 0; None
    when it is no number."""
    text = field.replace(" ", "")
    if text in ("", "+", "-"):
        return 0
    return int(text) if re.fullmatch(r"[+-]?\d+", text) else None


def read_ring_widths(path):
    """Series of a decadal ring-width file (veska's answer M), as dicts with
    'id', 'first' (year) and 'values' (mm). A line whose year or values do not
    read as numbers is a title and is skipped; a series ends at 999 (values in
    hundredths) or -9999 (thousandths)."""
    series, current = [], None
    for line in text_lines(path):
        ident, year_text = (line[:7], line[7:12]) if line[7] == "-" else (line[:8], line[8:12])
        year = _integer(year_text)
        fields = [_integer(line[12 + 6 * k:18 + 6 * k]) for k in range(11)]
        if year is None or year_text.strip() == "" or None in fields[:10]:
            continue
        if current is None or current["id"] != ident.strip():
            current = {"id": ident.strip(), "first": year, "cells": []}
        # The first line runs from its year to the end of its decade.
        count = 10 - year % 10 if not current["cells"] else 10
        for k, v in enumerate(fields[:count + 1]):
            if v in (999, -9999) and (k < count or k == 10 or not current["cells"]):
                unit = 0.01 if v == 999 else 0.001
                series.append({"id": current["id"], "first": current["first"],
                               "values": [c * unit for c in current["cells"]]})
                current = None
                break
            if k < count:
                current["cells"].append(v if v is not None else 0)
    return series


def read_indices(path):
    """Series of a decadal index file (veska's answer I): identifier in columns
    1-6, year in 7-10, then ten pairs of an index (thousandths) and a count;
    the first line's values stand in their own years' slots after the filler
    9990, and a value of 9990 or more ends the series, as does the file's end
    on a full decade. As dicts with 'id', 'first' and 'values' (indices)."""
    series, current = [], None
    for line in text_lines(path):
        ident, year_text = (line[:5], line[5:10]) if line[5] == "-" else (line[:6], line[6:10])
        year = _integer(year_text)
        fields = [_integer(line[10 + 7 * k:14 + 7 * k]) for k in range(10)]
        if year is None or year_text.strip() == "" or None in fields:
            continue
        decade = year - year % 10
        for k, v in enumerate(fields):
            if decade + k < year:
                continue
            if v >= 9990:
                if current is not None:
                    series.append(current)
                    current = None
                continue
            if current is None:
                current = {"id": ident.strip(), "first": decade + k, "values": []}
            current["values"].append(v / 1000)
    if current is not None:
        series.append(current)
    return series


def read_pair_table(path):
    """The rows of a pair table (veska-console --table) as dicts, numbers
    converted: r, t, p_chance and margin (None when empty) to float."""
    rows = []
    with open(path, newline="", encoding="utf-8") as f:
        for row in csv.DictReader(f):
            for key in ("placements", "slot", "last_ring_a", "last_ring_b", "overlap"):
                row[key] = int(row[key])
            for key in ("r", "t", "p_chance"):
                row[key] = float(row[key])
            row["margin"] = float(row["margin"]) if row["margin"] else None
            rows.append(row)
    return rows
