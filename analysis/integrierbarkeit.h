// Whether the integral of a term over [a, b] exists. The term must have a value
// everywhere there but at single points, and where it grows without bound near
// a point it must grow slower than 1/|x - c| (1/SQRT(X) and LN(X) at 0 may, 1/X
// and TAN(X) at pi/2 may not). Found numerically on a grid of 1000 steps, with
// every suspicious step refined to its point and that point's neighbourhood
// measured; a stretch without values narrower than a grid step can be missed.
#pragma once

#include <string_view>
#include <vector>

enum class Hindernisart {
  unbeschraenkt,  // grows like 1/|x - c| or faster next to c = von = bis
  undefiniert,    // no value on von..bis (von = bis: next to that point)
  zugross,        // values beyond the evaluator's limit of 10^10 on von..bis
  unlesbar,       // the term cannot be read
  unverfolgbar,   // grows towards c = von = bis, and the evaluator gives no values
                  // close enough to c to tell whether the integral converges
};

struct Hindernis {
  Hindernisart art;
  double von, bis;
};

// A point of [a, b] where the quadrature must split: the term has no value there
// (a hole, a pole) or grows towards it, which then needs a rule that stays
// away from the ends of its pieces.
struct Teilstelle {
  double x;
  bool singulaer;  // the term grows towards x from at least one side
};

struct Integrierbarkeit {
  std::vector<Hindernis> hindernisse;  // left to right; empty when the integral exists
  std::vector<Teilstelle> stellen;     // left to right, the ends a and b included
  bool existiert() const { return hindernisse.empty(); }
};

// Evaluations of term that integrierbarkeit makes at most: the grid, each refined
// step (a golden-section search and the measurements beside its point) and the
// bisections of the stretches.
inline constexpr double pruefbedarf = 16000;

// a < b.
Integrierbarkeit integrierbarkeit(std::u16string_view term, double a, double b);
