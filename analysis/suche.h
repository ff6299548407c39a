// Special points of the first function: zeros, extrema, inflection points and
// intersections, found by a grid scan over the search range ed_von..ed_bis and
// refined with Brent's method. Results stay in the lists until the same search
// runs again.
#pragma once

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

enum class Regel { vorzeichen_oder_wende, wende, vorzeichen };

// Brent's method on [a0, b0]; returns the last b when the iterations run out.
double nullstelle(std::u16string_view term, int iterationen, double tol, double a0, double b0);

// Scans term over [a, b] in n steps and stores the refined candidates in liste.
// pruefen: keep a point only when |term(point)| < 0.0001.
void abtasten(std::u16string_view term, double a, double b, int n, Regel regel, int iterationen,
              bool pruefen, double* liste, int& zahl);

// The four searches read ed_von, ed_bis, ed_parameter (into P), ed_f1, ed_f2.
void nullstellensuche();
void extremasuche();
// d2: the second derivative text of the first term.
void wendepunktsuche(std::u16string_view d2);
// Appends the two header lines of the intersections to ergebnis.
void schnittpunktsuche(std::vector<std::u16string>& ergebnis);

// True for a minimum of term at x. Decided by the sign of d2 at x while d2
// evaluates; otherwise by comparing term at x with its values a few grid steps
// either side, so a term without a usable second derivative is still classified.
bool istminimum(std::u16string_view term, std::u16string_view d2, double x);
