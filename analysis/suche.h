// Special points of the first function: zeros, extrema, inflection points and
// intersections, found by a grid scan over the search range ed_von..ed_bis,
// refined to full double precision and accepted only where the function is
// defined, continuous and clearly beyond rounding noise. Results stay in the
// lists until the same search runs again.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int listengroesse = 26;  // room in each list
inline constexpr int hoechstzahl = 24;    // a search stops after this many points

extern double nullstellenliste[listengroesse];
extern int nullstellenzahl;
extern double extremaliste[listengroesse];
extern int extremazahl;
extern double wendepunktliste[listengroesse];
extern int wendepunktzahl;
extern double schnittpunktliste[listengroesse];
extern int schnittpunktzahl;

// Grid width of the last extremum search, for classifying its points.
extern double extremaschritt;

// Brent's method on [a0, b0] with the relative tolerance 0.000006; returns the
// last b when the iterations run out.
double nullstelle(std::u16string_view term, int iterationen, double tol, double a0, double b0);

// The four searches read ed_von, ed_bis, ed_parameter (into P), ed_f1, ed_f2.
// Zeros: sign changes, exact zero samples, touching zeros (kinks included) and
// zeros at an end of the domain.
void nullstellensuche();
// d1: the first derivative text of ed_f1 when known; its sign change pins an
// extremum to full precision, otherwise a golden-section search does.
void extremasuche(std::u16string_view d1 = {});
// d2: the second derivative text of the first term; term: the first term itself,
// whose curvature must really change at a point (so rounding noise of d2 and
// poles are no inflection points). Without term, d2 must be continuous there.
void wendepunktsuche(std::u16string_view d2, std::u16string_view term = {});
// Appends the two header lines of the intersections to ergebnis.
void schnittpunktsuche(std::vector<std::u16string>& ergebnis);

// The range the searches cover, ed_von..ed_bis with the fallback of a bound
// beyond 100 (sets P like a search).
void suchgrenzen(double& von, double& bis);
// Whether the zero search, or the extremum search with d1, would find a point of
// term on [a, b] scanned in n steps: for what lies outside the search range.
bool nullstellenzwischen(std::u16string_view term, double a, double b, int n);
bool extremazwischen(std::u16string_view term, std::u16string_view d1, double a, double b, int n);

// True for a minimum of term at x. Decided by comparing term at x with its values
// a few grid steps either side whenever both lie clearly above or clearly below;
// otherwise by the sign of d2 at x while d2 evaluates (0 counts as maximum).
bool istminimum(std::u16string_view term, std::u16string_view d2, double x);

// Refined points lie this close to the exact ones: near machine precision, with
// a floor for points at 0 that scales with the grid step h.
inline double endbreite(double x, double h) {
  return 4 * std::numeric_limits<double>::epsilon() * std::fabs(x) + 1e-12 * std::fabs(h);
}

// Golden-section search for the least value of g on [a, b], to endbreite.
template <class G>
double kleinstelle(G g, double a, double b, double h) {
  constexpr double k = 0.3819660112501051;  // 2 - golden ratio
  double c = a + k * (b - a), d = b - k * (b - a);
  double gc = g(c), gd = g(d);
  for (int i = 0; i < 200 && b - a > endbreite(std::max(std::fabs(a), std::fabs(b)), h); ++i) {
    if (gc <= gd) {
      b = d;
      d = c;
      gd = gc;
      c = a + k * (b - a);
      gc = g(c);
    } else {
      a = c;
      c = d;
      gc = gd;
      d = b - k * (b - a);
      gd = g(d);
    }
  }
  return gc <= gd ? c : d;
}

