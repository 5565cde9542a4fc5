"""The study's own reading and writing of tree-ring files: the decadal
ring-width layout that veska reads, the Heidelberg layout that it does not
read yet, and the pair lines of the report VESKA.OUT."""

import math


def decadal_lines(ident, first, values):
    """One series in the decadal ring-width layout: identifier in columns 1-8,
    year in 9-12, up to ten 6-wide values, one decade per line (the first line
    runs from the first year to the end of its decade). Values in hundredths end
    with 999; a series holding a true 999 is written in thousandths instead,
    ending with -9999."""
    if 999 in values:
        cells = [10 * v for v in values] + [-9999]
    else:
        cells = list(values) + [999]
    lines, row = [], []
    for k, v in enumerate(cells):
        year = first + k
        row.append(v)
        if (year + 1) % 10 == 0 or k == len(cells) - 1:
            start = year - len(row) + 1
            lines.append(f"{ident:<8.8}{start:4d}" + "".join(f"{x:6d}" for x in row))
            row = []
    return lines


def write_decadal(path, series):
    """series: (identifier, first year, values in hundredths) triples."""
    lines = []
    for ident, first, values in series:
        lines += decadal_lines(ident, first, values)
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
