// The exact point behind a point found numerically: a domain end, a hole or a
// pole that a search brackets within a few units in the last place usually
// lies at a short decimal (0, -3, 0,5), where the term can be asked directly.
#pragma once

#include <optional>

// The decimal with the fewest significant digits in [lo, hi], if one with at
// most 12 significant digits lies there (0 when the interval contains it).
std::optional<double> kurzezahl(double lo, double hi);
