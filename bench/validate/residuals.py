"""The study's own copy of the series veska compares, for figures that the
report cannot give: the t-statistic at every placement of a pair, not only the
best three. It follows veska's steps (centre; Burg's estimates of rising order
0 to 10, the order chosen by the corrected Akaike criterion, stopping at the
first order that does not improve it; backcasts, then the residuals) in double
precision, where veska stores single precision: its t-statistics agree with
the report's to about two decimals, not bit for bit."""

import math

import numpy as np

MAX_ORDER = 10
MIN_OVERLAP = 50


def _criterion(n, k, variance):
    fit = n * math.log(variance)
    if k == 0:
        return fit + 2.0
    params = k + 1
    denominator = n - k - 2
    return fit + 2.0 * params + (math.inf if denominator == 0 else 2.0 * params * (params + 1) / denominator)


def ar_model(x):
    """The coefficients veska's model of the centred series x would have."""
    n = len(x)
    v0 = float(np.mean(x * x)) if n else 0.0
    if n < 4 or not (v0 > 0 and math.isfinite(v0)):
        return np.zeros(0)
    f, b = x[:-1].copy(), x[1:].copy()
    phi, variance = np.zeros(0), v0
    c0 = previous = _criterion(n, 0, v0)
    for k in range(1, MAX_ORDER + 2):
        if k >= n:
            return phi if previous <= c0 else np.zeros(0)
        ff, bb = f[:n - k], b[:n - k]
        squares = float(ff @ ff + bb @ bb)
        if not squares > 0:
            return phi if previous <= c0 else np.zeros(0)
        d = 2.0 * float(ff @ bb) / squares
        new_phi = np.append(phi - d * phi[::-1], d)
        new_variance = variance * (1 - d * d)
        current = _criterion(n, k, new_variance)
        if (k >= 2 and not current <= previous) or k == MAX_ORDER + 1:
            return phi if previous <= c0 else np.zeros(0)
        phi, variance, previous = new_phi, new_variance, current
        last = n - k - 1
        f_new = ff[:last] - d * bb[:last]
        b_new = bb[1:last + 1] - d * ff[1:last + 1]
        f, b = f_new, b_new
    return phi


def residuals(values):
    """The series as veska compares it: the residuals of its model."""
    x = np.asarray(values, dtype=float)
    x = x - x.mean()
    phi = ar_model(x)
    p = len(phi)
    if p == 0:
        return x
    w = np.concatenate([np.zeros(p), x])
    for t in range(p - 1, -1, -1):  # backcasts, each from the values after it
        w[t] = float(phi @ w[t + 1:t + 1 + p])
    out = x.copy()
    for t in range(len(x)):
        out[t] = w[p + t] - float(phi @ w[t:p + t][::-1])
    return out


def t_at(a, b):
    """t of the correlation of two stretches of equal length."""
    a = a - a.mean()
    b = b - b.mean()
    r = float(a @ b) / math.sqrt(float(a @ a) * float(b @ b))
    return r / math.sqrt((1 - r * r) / (len(a) - 2)) if abs(r) < 1 else math.copysign(math.inf, r)


def t_curve(first, second):
    """(lag, t) at every placement with at least 50 rings in common, the lag
    being the index in `first` of the value that meets second[0]."""
    out = []
    n1, n2 = len(first), len(second)
    for lag in range(-(n2 - MIN_OVERLAP), n1 - MIN_OVERLAP + 1):
        lo, hi = max(0, lag), min(n1, lag + n2)
        out.append((lag, t_at(first[lo:hi], second[lo - lag:hi - lag])))
    return out
