// Term evaluator and function library: one left-to-right pass over the term text
// per call, with the status of the last evaluation in `fehlercode`.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Status of the last evaluation. The numbers are fixed: callers also compare
// them by size.
enum Fehlercode : std::uint8_t {
  wert_gueltig = 0,        // valid
  term_unlesbar = 1,       // the term is not readable
  wert_undefiniert = 2,    // value undefined
  kurve_unterbrochen = 3,  // break in the curve
  wert_begrenzt = 4,       // value limited to the range of the drawing
};
extern std::uint8_t fehlercode;

// Work of all evaluations so far: the characters of every term text handed to
// fktwert, plus ten for each step of the integral sine's series and two for
// each division of the gamma function's product below 1, what these steps cost
// in characters read. A plot pass bounds itself by it.
extern std::uint64_t gelesenezeichen;

// Parameters of the term language, read by the letters P, Q and R.
extern double P;
extern double Q;
extern double R;

// Names of the functions; a function is numbered by the 1-based position of its name.
extern const std::u16string_view funktionsnamen;

double fktwert(std::u16string_view term, double x);

// A value of term at x with whether it is valid; `fehlercode` keeps the status.
struct Wert {
  double y;
  bool gueltig;  // status wert_gueltig
};
Wert wert(std::u16string_view term, double x);

int funktionsnummer(std::u16string_view name);
double funktionswert(int nummer, double v);

double gammawert(double v);
// Returns false where the digamma function fails (pole); the value is then 0.
bool digammawert(double v, double& ergebnis);
double integralsinus(double v);
