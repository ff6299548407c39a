// The school curve discussion of the first function on the search range [a, b]:
// domain, symmetry, period, intercepts, signs, asymptotes, monotonicity,
// curvature and range, as lines of the result list. Built from the searches,
// the derivative texts and the discontinuities; every line is a claim, and a
// line whose claim the numbers cannot back says "не определено" instead.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "unstetigkeiten.h"

inline constexpr std::u16string_view unbestimmt = u"не определено";

// A simple exact form of v: an integer, p/q, √(p/q), kπ/n or e^k equal to v to
// about 1e-12 relative. Empty when there is none, or when two decimals already
// show v exactly (2, 0,5).
std::u16string exakteform(double v);
// The number as a result line writes it, followed by " (form)" where there is one.
std::u16string zahlmitform(double v);

// The block for term, which is ed_f1 with the search range ed_von..ed_bis = [a, b]:
// d1 and d2 are its derivative texts (empty when not built), stellen its
// discontinuities and domain ends on [a, b] in increasing x. Runs the searches
// for zeros, extrema and inflection points, whose lists it leaves filled.
std::vector<std::u16string> untersuchung(std::u16string_view term, std::u16string_view d1, std::u16string_view d2,
                                         double a, double b, std::vector<Unstetigkeit> stellen);

// Evaluations of term the block makes at most besides the searches and the
// discontinuity routine, for the pass budget.
inline constexpr double untersuchungsbedarf = 6000;
