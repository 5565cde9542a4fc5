"""Synthetic tree-ring pairs with known dates.

A forest lives under one common climate signal, an AR(2) series. Every tree
adds its own persistent noise, an AR(1) series, and grows along its own slowly
varying trend: a negative-exponential age curve times a slow wander (release
and suppression). A ring's width is

    trend(age) x wander x exp(SPREAD x (sqrt(s/(1+s)) climate + sqrt(1/(1+s)) noise))

where s is the signal-to-noise ratio, the variance of the common signal over
the variance of a tree's own noise. The year-to-year spread of the logarithm
is the same at every s, so s alone sets how hard a pair is.

A pair is a dated tree of DATED_RINGS rings and a floating piece of another
tree of the same forest, `overlap` rings long, lying wholly inside the dated
tree's years at a random offset. Each pair has its own forest, drawn from its
own seed, so no two pairs share anything.
"""

import math
import random

DATED_RINGS = 1000
DATED_FIRST_YEAR = 1001  # the dated tree's years: 1001 .. 1000 + DATED_RINGS
SPREAD = 0.3             # standard deviation of a ring's log width about its trend
CLIMATE_AR = (0.4, -0.2)
NOISE_AR = 0.5
WANDER_AR, WANDER_SD = 0.99, 0.25
BURN_IN = 200


def climate(rng, years):
    """AR(2) series of unit variance: c[t] = a1 c[t-1] + a2 c[t-2] + e[t]."""
    a1, a2 = CLIMATE_AR
    variance = (1 - a2) / ((1 + a2) * ((1 - a2) ** 2 - a1 * a1))
    scale = 1 / math.sqrt(variance)
    c1 = c2 = 0.0
    out = []
    for k in range(BURN_IN + years):
        c1, c2 = a1 * c1 + a2 * c2 + rng.gauss(0.0, scale), c1
        if k >= BURN_IN:
            out.append(c1)
    return out


def ar1(rng, n, phi, sd):
    """Stationary AR(1) series of standard deviation sd."""
    x = rng.gauss(0.0, sd)
    out = []
    innovation = sd * math.sqrt(1 - phi * phi)
    for _ in range(n):
        out.append(x)
        x = phi * x + rng.gauss(0.0, innovation)
    return out


def tree(rng, signal, snr):
    """Ring widths in hundredths of a mm for the years that `signal` covers."""
    n = len(signal)
    base = rng.uniform(80.0, 200.0)
    decay = rng.uniform(30.0, 120.0)
    age0 = rng.randint(0, 40)  # rings between the pith and the first ring kept
    noise = ar1(rng, n, NOISE_AR, 1.0)
    wander = ar1(rng, n, WANDER_AR, WANDER_SD)
    ws, wn = math.sqrt(snr / (1 + snr)), math.sqrt(1 / (1 + snr))
    widths = []
    for k in range(n):
        trend = base * (0.4 + math.exp(-(age0 + k) / decay)) * math.exp(wander[k])
        w = round(trend * math.exp(SPREAD * (ws * signal[k] + wn * noise[k])))
        # 999 would end the series in this layout; a width of 0 is a missing ring.
        widths.append(998 if w == 999 else max(w, 1))
    return widths


def pair(seed, snr, overlap):
    """(dated widths, floating widths, offset): the floating piece's first ring
    grew in the dated tree's year DATED_FIRST_YEAR + offset."""
    rng = random.Random(seed)
    offset = rng.randint(0, DATED_RINGS - overlap)
    signal = climate(rng, DATED_RINGS)
    dated = tree(rng, signal, snr)
    floating = tree(rng, signal[offset:offset + overlap], snr)
    return dated, floating, offset
