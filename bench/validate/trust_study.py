"""How far p_chance, the margin and the verdict can be trusted, measured on
the real pairs of real_pairs.py: the share of unrelated pairs each flags (the
calibration), and how often each is right on pairs with known dates. Writes
the README's tables and the calibration plot."""

import math
import statistics

import numpy as np
from scipy import stats

import residuals
from real_pairs import REAL_FILES

STAR = 3.5
HALF_NAMES = ("first half (chose the method)", "second half (held out)")
VERDICTS = ("strong", "likely", "possible", "chance")
OVERLAP_CLASSES = ((50, 100), (100, 150), (150, 200), (200, 300), (300, None))
ALPHAS = np.logspace(-3, 0, 61)


def plain_chance(row):
    """The correction without the heavy-tail deflation: 1 - (1 - p1)^N."""
    p1 = stats.t.sf(row["t"], row["overlap"] - 2)
    return float(-np.expm1(row["placements"] * np.log1p(-p1)))


def slot1(record):
    return record["rows"][0]


def is_true(record):
    row = slot1(record)
    return row["last_ring_a"] - row["last_ring_b"] == record["true_lag"]


def margin(row):
    return row["margin"] if row["margin"] is not None else math.inf


def percent(part, whole):
    return f"{100 * part / whole:.1f} %" if whole else "-"


def files_of(half):
    return ", ".join(k for k, v in REAL_FILES.items() if v[3] == half)


# Each statistic veska shows, as a test on slot 1 of a pair.
FLAGS = (
    ("star (t ≥ 3.5)", lambda r: r["t"] >= STAR),
    ("p_chance < 0.05", lambda r: r["p_chance"] < 0.05),
    ("p_chance < 0.01", lambda r: r["p_chance"] < 0.01),
    ("margin ≥ 1.5", lambda r: margin(r) >= 1.5),
    ("verdict strong", lambda r: r["verdict"] == "strong"),
    ("verdict strong or likely", lambda r: r["verdict"] in ("strong", "likely")),
    ("(plain correction < 0.05)", lambda r: plain_chance(r) < 0.05),
    ("(plain correction < 0.01)", lambda r: plain_chance(r) < 0.01),
)


def calibration_table(halves):
    """Per statistic: the share of unrelated pairs it flags, and on pairs with
    known dates how many it flags and how many of those are right."""
    head = ["| statistic of slot 1 |"]
    rule = ["|---|"]
    for name in HALF_NAMES:
        head.append(f" unrelated pairs flagged, {name} | known-date pairs flagged: right, {name} |")
        rule.append("---:|---:|")
    out = ["".join(head), "".join(rule)]
    for label, flag in FLAGS:
        cells = [f"| {label} |"]
        for half in (0, 1):
            unrelated = [slot1(u) for u in halves[half]["unrelated"]]
            flagged = [k for k in halves[half]["known"] if flag(slot1(k))]
            right = sum(1 for k in flagged if is_true(k))
            cells.append(f" {percent(sum(1 for r in unrelated if flag(r)), len(unrelated))} |"
                         f" {right} of {len(flagged)} ({percent(right, len(flagged))}) |")
        out.append("".join(cells))
    return out


def summary_table(halves):
    out = ["| half | files | unrelated pairs | median placements | known-date pairs | slot 1 at the true "
           "date | ... with t ≥ 3.5 | ... of those, p_chance < 0.05 |",
           "|---|---|---:|---:|---:|---:|---:|---:|"]
    for half in (0, 1):
        unrelated, known = halves[half]["unrelated"], halves[half]["known"]
        true = [k for k in known if is_true(k)]
        strong = [k for k in true if slot1(k)["t"] >= STAR]
        kept = sum(1 for k in strong if slot1(k)["p_chance"] < 0.05)
        placements = statistics.median(slot1(u)["placements"] for u in unrelated)
        out.append(f"| {HALF_NAMES[half]} | {files_of(half)} | {len(unrelated)} | {placements:.0f} "
                   f"| {len(known)} | {len(true)} ({percent(len(true), len(known))}) | {len(strong)} "
                   f"| {kept} ({percent(kept, len(strong))}) |")
    return out


def verdict_table(halves):
    out = ["| verdict | known-date pairs with it: slot 1 right, both halves | unrelated pairs with it, "
           "both halves |", "|---|---:|---:|"]
    known = halves[0]["known"] + halves[1]["known"]
    unrelated = halves[0]["unrelated"] + halves[1]["unrelated"]
    for verdict in VERDICTS:
        mine = [k for k in known if slot1(k)["verdict"] == verdict]
        right = sum(1 for k in mine if is_true(k))
        share = sum(1 for u in unrelated if slot1(u)["verdict"] == verdict)
        out.append(f"| {verdict} | {right} of {len(mine)} ({percent(right, len(mine))}) "
                   f"| {share} of {len(unrelated)} ({percent(share, len(unrelated))}) |")
    return out


def overlap_table(halves):
    out = ["| true overlap (rings) | known-date pairs | slot 1 at the true date | p_chance < 0.05 and "
           "right | p_chance < 0.05 and wrong | verdict strong and right | verdict strong and wrong |",
           "|---|---:|---:|---:|---:|---:|---:|"]
    known = halves[0]["known"] + halves[1]["known"]
    for lo, hi in OVERLAP_CLASSES:
        mine = [k for k in known if k["true_overlap"] >= lo and (hi is None or k["true_overlap"] < hi)]
        n = len(mine)
        count = lambda test: sum(1 for k in mine if test(k))
        label = f"{lo}-{hi - 1}" if hi else f"{lo} or more"
        out.append(f"| {label} | {n} | {percent(count(is_true), n)} "
                   f"| {percent(count(lambda k: is_true(k) and slot1(k)['p_chance'] < 0.05), n)} "
                   f"| {count(lambda k: not is_true(k) and slot1(k)['p_chance'] < 0.05)} "
                   f"| {percent(count(lambda k: is_true(k) and slot1(k)['verdict'] == 'strong'), n)} "
                   f"| {count(lambda k: not is_true(k) and slot1(k)['verdict'] == 'strong')} |")
    return out


def doel_median_t(trees):
    """Median t of the Doel single timbers against each other at the years the
    file gives them (pairs with 50 rings or more in common), from the study's
    copy of veska's residuals."""
    res = [(int(s["DateBegin"]), residuals.residuals(np.array(s["values"], float))) for s in trees]
    ts = []
    for i in range(len(res)):
        for j in range(i + 1, len(res)):
            (fa, a), (fb, b) = res[i], res[j]
            lo, hi = max(fa, fb), min(fa + len(a), fb + len(b))
            if hi - lo >= residuals.MIN_OVERLAP:
                ts.append(residuals.t_at(a[lo - fa:hi - fa], b[lo - fb:hi - fb]))
    return statistics.median(ts), len(ts)


def tables(halves):
    return (["**Unrelated and known-date pairs, by half of the real files:**", ""] + summary_table(halves)
            + ["", "**What each statistic flags** (slot 1 of each pair; \"right\": slot 1 is the true date):",
               ""] + calibration_table(halves)
            + ["", "**The verdicts:**", ""] + verdict_table(halves)
            + ["", "**Known-date pairs by how much they overlap at their true date** (both halves):", ""]
            + overlap_table(halves) + [""])


def plot(halves, path):
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt

    fig, ax = plt.subplots(figsize=(6.4, 5.2), dpi=100)
    ax.plot(ALPHAS, ALPHAS, color="grey", linestyle=":", label="perfect calibration")
    for half, colour in ((0, "tab:blue"), (1, "tab:orange")):
        rows = [slot1(u) for u in halves[half]["unrelated"]]
        chance = np.array([r["p_chance"] for r in rows])
        plain = np.array([plain_chance(r) for r in rows])
        ax.plot(ALPHAS, [np.mean(chance < a) for a in ALPHAS], color=colour,
                label=f"p_chance, {HALF_NAMES[half]}")
        ax.plot(ALPHAS, [np.mean(plain < a) for a in ALPHAS], color=colour, linestyle="--",
                label=f"plain correction, {HALF_NAMES[half]}")
    ax.set_xscale("log")
    ax.set_yscale("log")
    ax.set_xlim(1e-3, 1)
    ax.set_ylim(1e-4, 1)
    ax.set_xlabel("threshold")
    ax.set_ylabel("share of unrelated pairs below the threshold")
    ax.set_title("Calibration of p_chance on real unrelated pairs")
    ax.grid(True, which="both", alpha=0.3)
    ax.legend(fontsize="small", loc="lower right")
    fig.tight_layout()
    fig.savefig(path, format="png", metadata={"Software": None})
    plt.close(fig)
