// Tail probabilities of Student's t distribution, and the chance that the
// largest of many independent t-statistics reaches a given value.
//
// Both tails come from the regularised incomplete beta function, never as 1
// minus the other tail, so a tail of 1e-300 keeps its digits; the chance over
// many statistics goes through log1p and expm1 for the same reason. Relative
// accuracy is about 1e-13 or better.
#pragma once

namespace veska::stats {

// I_x(a, b), the regularised incomplete beta function, for a, b > 0 and
// 0 <= x <= 1 (outside that: NaN). A continued fraction, on whichever side
// of the mean a / (a + b) makes it converge fast (Numerical Recipes, 6.4).
double regularizedIncompleteBeta(double a, double b, double x);

// P(T >= t) for Student's t with df > 0 degrees of freedom; +Inf gives 0,
// -Inf gives 1; NaN or df <= 0 give NaN.
double studentUpperTail(double t, double df);

// 1 - (1 - P(T >= t))^count: the chance that at least one of `count`
// independent t-statistics with df degrees of freedom reaches t (Sidak's
// correction). count <= 0 gives 0; NaN t or df <= 0 give NaN.
double chanceOfReachingIn(double t, double df, double count);

}  // namespace veska::stats
