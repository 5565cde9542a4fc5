"""Real pairs for the study, from the shared real files: pairs with known
dates and pairs of unrelated sites, each crossdated by whole runs of
veska-console --table, whose pair table gives every figure.

The files are split by site into two halves: the first was used to choose how
p_chance is computed, the second only to measure it (its figures are the ones
quoted). Pairs never mix the halves.

Known dates: each series of a ring-width file (years hidden: renumbered from
1) against a chronology of the other series of its file (each detrended by
the ratio to its 31-year moving mean, then averaged year by year), and the
series of one Colorado site against the chronology of its neighbour. The true
placement is where the series' own years fall; a pair counts when that
placement has at least 50 rings in common.

Unrelated pairs: series of one continent against the chronologies (site
chronologies made as above, and the chronology files) and against single
series of another, where no placement is the true one.
"""

import os
import shutil
import subprocess
import tempfile
from multiprocessing import Pool

import numpy as np

from tree_ring_files import read_heidelberg, read_indices, read_pair_table, read_ring_widths, write_decadal

# key: (file, reader, continent, half). Half 0 chose the method, half 1 measures it.
REAL_FILES = {
    "co690": ("co690_piar_sheepmtn_bce_micron_rwl.rwl", "M", "North America", 0),
    "co691": ("co691_piar_windypeak_multiseg_rwl.rwl", "M", "North America", 0),
    "tthh": ("tthh_pcgl_yukon_crcrlf_rwl.rwl", "M", "North America", 0),
    "in024": ("in024_acsh_morganmonroe_mixedprec_rwl.rwl", "M", "North America", 0),
    "al": ("al_pipa_flomaton.crn", "I", "North America", 0),
    "morc018": ("morc018_cdat_atlas_100ser_rwl.rwl", "M", "Africa", 0),
    "th001": ("th001_tegr_maehongson_micron_rwl.rwl", "M", "Asia", 0),
    "brit036": ("brit036_qusp_thornemoors_bce_rwl.rwl", "M", "Europe", 0),
    "ital": ("ital_abal_abetone_4chron_cr.crn", "I", "Europe", 0),
    "chil002a": ("chil002a_auch_elasiento_ars.crn", "I", "South America", 0),
    "ca533": ("ca533_pilo_campito_rwl.rwl", "M", "North America", 1),
    "ca051": ("ca051_pifl_sangorgonio_bce_rwl.rwl", "M", "North America", 1),
    "va024": ("va024_tsca_shenandoah_tabs_cr_rwl.rwl", "M", "North America", 1),
    "bost02": ("bost02_qusp_boston_buildings.crn", "I", "North America", 1),
    "chil015": ("chil015_ficu_tiuchue_rwl.rwl", "M", "South America", 1),
    "russ301": ("russ301_pisy_bograd_utf8ids_rwl.rwl", "M", "Asia", 1),
    "turk045": ("turk045_jusp_karahoyuk_bce_cr_rwl.rwl", "M", "Asia", 1),
    "turk_cdli": ("turk_cdli_elmali_kuniholm.crn", "I", "Asia", 1),
    "doel1": ("doel1_qusp_shiptimbers_heidelberg.fh", "H", "Europe", 1),
}
NEIGHBOURS = (("co690", "co691"), ("co691", "co690"))
MIN_OVERLAP = 50
SINGLES = 8          # series of a file taken for unrelated series-against-series pairs
YEAR_SHIFT = 5000    # added to the years of files that reach before year 0


def load(real):
    """key -> list of series (dicts: id, first, values). Ring-width files give
    their series; chronology files their chronologies (of the Abetone file's
    four variants of one site, the standard one); the Heidelberg file its
    single timbers."""
    files = {}
    for key, (name, reader, _, _) in REAL_FILES.items():
        path = os.path.join(real, name)
        if reader == "M":
            series = read_ring_widths(path)
        elif reader == "I":
            series = read_indices(path)
            if key == "ital":
                series = series[1:2]
        else:
            series = [{"id": s["KeyCode"], "first": int(s["DateBegin"]),
                       "values": [v / 100 for v in s["values"]]}
                      for s in read_heidelberg(path) if s.get("DataFormat") == "Tree"]
        files[key] = series
    return files


def detrended(values, window=31):
    """Ratio of each value to the centred moving mean of `window` values (fewer
    at the ends); 1 where that mean is not positive."""
    v = np.asarray(values, dtype=float)
    half = window // 2
    sums = np.concatenate([[0.0], np.cumsum(v)])
    lo = np.clip(np.arange(len(v)) - half, 0, len(v))
    hi = np.clip(np.arange(len(v)) + half + 1, 0, len(v))
    mean = (sums[hi] - sums[lo]) / (hi - lo)
    return np.where(mean > 0, v / np.where(mean > 0, mean, 1.0), 1.0)


def chronology(series):
    """(first year, indices): the year-by-year mean of the detrended series."""
    first = min(s["first"] for s in series)
    last = max(s["first"] + len(s["values"]) - 1 for s in series)
    total = np.zeros(last - first + 1)
    depth = np.zeros(last - first + 1)
    for s in series:
        k = s["first"] - first
        total[k:k + len(s["values"])] += detrended(s["values"])
        depth[k:k + len(s["values"])] += 1
    # Years no series covers (a gap between segments) read as the mean index.
    return first, np.where(depth > 0, total / np.maximum(depth, 1), 1.0)


def shift_of(series):
    return YEAR_SHIFT if min(s["first"] for s in series) < 1 else 0


def thousandths(values):
    return [int(round(1000 * v)) for v in values]


def run_table(veska, work, floating, dated):
    """One run of veska-console --table in `work` on the two files written
    from (identifier, first year, values) lists; the pair table's rows."""
    write_decadal(os.path.join(work, "f.rwl"), [(i, y, thousandths(v)) for i, y, v in floating], True)
    write_decadal(os.path.join(work, "d.rwl"), [(i, y, thousandths(v)) for i, y, v in dated], True)
    answers = "f.rwl\nM\nY\nd.rwl\nM\n\n"
    done = subprocess.run([veska, "--table", "pairs.csv"], cwd=work, input=answers.encode(),
                          stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    if done.returncode != 0:
        raise RuntimeError(f"veska-console ended with status {done.returncode} in {work}: "
                           f"{done.stderr.decode(errors='replace')}")
    return read_pair_table(os.path.join(work, "pairs.csv"))


def by_pair(rows):
    """(series_a, series_b) -> that pair's rows, slot 1 first."""
    pairs = {}
    for row in rows:
        pairs.setdefault((row["series_a"], row["series_b"]), []).append(row)
    return pairs


def known_date_job(args):
    """Every series of a file against the chronology of the others (or of a
    neighbouring site): one record per pair with a true overlap of 50 rings
    or more."""
    veska, workroot, name, series, others = args
    work = tempfile.mkdtemp(dir=workroot)
    shift = shift_of(series + (others or []))
    floating, dated, truth = [], [], {}
    if others is not None:
        neighbour = chronology(others)
        dated.append(("CNEIGHB", neighbour[0] + shift, neighbour[1]))
    for i, s in enumerate(series):
        if others is None:
            first, chron = chronology(series[:i] + series[i + 1:])
            cid = f"C{i:04d}"
            dated.append((cid, first + shift, chron))
        else:
            (first, chron), cid = neighbour, "CNEIGHB"
        sid = f"S{i:04d}"
        floating.append((sid, 1, s["values"]))
        common = min(first + len(chron), s["first"] + len(s["values"])) - max(first, s["first"])
        if common >= MIN_OVERLAP:
            # Series ring 1 lies on the chronology's year s.first (both
            # shifted alike): the last rings compared differ by that year - 1.
            truth[(cid, sid)] = (s["first"] + shift - 1, common)
    rows = by_pair(run_table(veska, work, floating, dated))
    shutil.rmtree(work, ignore_errors=True)
    return [{"file": name, "rows": rows[key], "true_lag": lag, "true_overlap": overlap}
            for key, (lag, overlap) in truth.items() if key in rows]


def unrelated_job(args):
    """Series of one file against references of other continents: one record
    per pair."""
    veska, workroot, name, kind, series, references = args
    work = tempfile.mkdtemp(dir=workroot)
    floating = [(f"S{i:04d}", 1, s["values"]) for i, s in enumerate(series)]
    dated = [(f"R{k:04d}", 1001, values) for k, values in enumerate(references)]
    rows = by_pair(run_table(veska, work, floating, dated))
    shutil.rmtree(work, ignore_errors=True)
    return [{"file": name, "kind": kind, "rows": r} for r in rows.values()]


def spread(items, count):
    """`count` items spread evenly over the list (all of a shorter one)."""
    if len(items) <= count:
        return list(items)
    return [items[int(k * len(items) / count)] for k in range(count)]


def long_enough(series):
    return [s for s in series if len(s["values"]) >= MIN_OVERLAP]


def collect(veska, real, jobs=2):
    """Both halves' known-date and unrelated pair records:
    {half: {"known": [...], "unrelated": [...]}}."""
    files = load(real)
    rwl = [k for k, v in REAL_FILES.items() if v[1] == "M"]
    known_jobs, unrelated_jobs = [], []
    workroot = tempfile.mkdtemp(prefix="veska-validate-pairs-")
    for key in rwl:
        known_jobs.append((veska, workroot, key, long_enough(files[key]), None))
    for a, b in NEIGHBOURS:
        known_jobs.append((veska, workroot, f"{a} against {b}", long_enough(files[a]), files[b]))
    for key in rwl:
        _, _, continent, half = REAL_FILES[key]
        foreign = [k for k, v in REAL_FILES.items() if v[3] == half and v[2] != continent]
        chronologies = [chronology(files[k])[1] if REAL_FILES[k][1] == "M" else
                        np.asarray(files[k][0]["values"]) for k in foreign if REAL_FILES[k][1] != "H"]
        mine = long_enough(files[key])
        unrelated_jobs.append((veska, workroot, key, "chronology", mine, chronologies))
        singles = [np.asarray(s["values"]) for k in foreign if REAL_FILES[k][1] in "MH"
                   for s in spread(long_enough(files[k]), SINGLES)]
        unrelated_jobs.append((veska, workroot, key, "series", spread(mine, SINGLES), singles))
    try:
        with Pool(jobs) as pool:
            known = pool.map(known_date_job, known_jobs, chunksize=1)
            unrelated = pool.map(unrelated_job, unrelated_jobs, chunksize=1)
    finally:
        shutil.rmtree(workroot, ignore_errors=True)
    halves = {0: {"known": [], "unrelated": []}, 1: {"known": [], "unrelated": []}}
    for job, records in zip(known_jobs, known):
        halves[REAL_FILES[job[2].split()[0]][3]]["known"] += records
    for job, records in zip(unrelated_jobs, unrelated):
        halves[REAL_FILES[job[2]][3]]["unrelated"] += records
    return halves
