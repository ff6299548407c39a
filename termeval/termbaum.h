// The structure of a term text: the tree the derivative builder forms its
// derivative from, and from which the analyses read a term's quotients. One
// reader for both, so that they see the same term.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace termbaum {

using sicht = std::u16string_view;

// Node kinds. Below 10 leaves, 11..15 the operators in the order of "+-*/^",
// above 20 one-argument functions; the trigonometric kinds are family + base, the
// bases 1..4 being SIN, COS, TAN and COT.
enum familie : std::uint8_t { kreis = 30, hyperbel = 40, arkus = 50, area = 60 };
enum : std::uint8_t {
  zahl = 0, variable = 1, parameter_p = 2, konstante_y = 7, parameter_q = 8, pi = 9,
  summe = 11, differenz = 12, produkt = 13, quotient = 14, potenz = 15,
  wurzel = 21, ln = 22, lg = 23, exp_ = 24, abs_ = 25, sgn = 26, int_ = 27, ld = 28, log_ = 29,
  sinus = kreis + 1, kosinus, tangens, kotangens,
  sinh_ = hyperbel + 1, cosh_, tanh_, coth_,
  arcsin_ = arkus + 1, arccos_, arctan_, arccot_,
  arsinh_ = area + 1, arcosh_, artanh_, arcoth_,
  // Chain-rule factor of LOG: printed "1/LN(P)*1/(u)". Never made by the parser.
  logfaktor = 70,
};

// Which operands of a node are plain numbers.
enum zahlart { keine_zahl, nur_zahl, zahlargument, zahl_links, zahl_rechts, zahl_beide };

constexpr int leer = -1;

struct knoten {
  std::uint8_t knotenart = zahl;
  double wert = 0;
  int links = leer;
  int rechts = leer;
  int argument = leer;
  // Where the reader found the node's text; empty for nodes formed later.
  std::uint32_t anfang = 0, laenge = 0;
};

constexpr sicht operatorzeichen = u"+-*/^";
constexpr std::array<sicht, 5> basisnamen{u"", u"SIN", u"COS", u"TAN", u"COT"};
inline bool istoperator(std::uint8_t k) { return k >= summe && k <= potenz; }
inline bool istfunktion(std::uint8_t k) { return k > 20; }

// Sub-terms nested deeper than this fail the parse. No school term and none of
// their derivatives come near it; it keeps the recursive steps far from the end
// of the stack and bounds the work, since the derivative of n nested functions
// or factors grows with n squared.
constexpr int maxtiefe = 250;
// A node weighs about as much as the characters its memory would hold, so a work
// budget also bounds the node store.
constexpr std::size_t knotenarbeit = 16;

// One reading of a text. Nodes go to `speicher` (which may hold nodes already);
// each read step adds the length of its text to `arbeit`, each node
// `knotenarbeit`; past `grenze` every step fails. A node made by the reader
// records where its text stands in the text handed to `zerlegen` first.
struct zerlegung {
  std::vector<knoten>& speicher;
  std::size_t& arbeit;
  std::size_t grenze;
  const char16_t* textanfang = nullptr;
  bool fehler = false;
  int tiefe = 0;
};

// Reads a term text without blanks, "." as the decimal point, into a tree;
// returns its root, or `leer` (and sets `fehler`) when the text cannot be read.
// A "-" is a sign only at the start of an operand of "+" or "-" or inside "(".
int zerlegen(zerlegung& z, sicht s);

// Deeper bracket nesting than `maxtiefe` fails the reading anyway; saying so
// before reading keeps very deep inputs linear.
bool zutief(sicht s);

}  // namespace termbaum
