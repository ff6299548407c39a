// Term evaluator: reads the term text anew on every call, left to right, with
// operator levels and a one-operator lookahead, computing while it reads.
//
// The reader is one loop over the text with one explicit stack that holds the
// pending operators (with their left operands) and the open brackets. It applies
// every operation at the moment the rule-per-routine reading of the term would:
// when the operator after its right operand has been read and binds no tighter.
// So the status writes and the reading of the status by "^" keep their order. For
// texts long enough to reach the depth limit it also counts the nested operands
// the way that reading nests them, since the limit depends on it.
//
// The grammar it reads; each label of the reader names the rule it implements.
//
//   term     = operand { op operand }           the whole text, and inside a bracket
//   operand  = ["-"] faktor { op operand }      an op here binds tighter than the pending one
//   faktor   = zahl | "X" | "P" | "PI" | "PHI" | "Q" | "R" | "É"
//            | "(" term ")" | "[" term "]" | "|" term "|" | name "(" term ")"
//   op       = "+" | "-"  (level 2)  |  "*" | "·" | "/"  (3)  |  "^"  (4), all left-associative
//   zahl     = digits and points, no sign, no exponent part
//
// Where an op is due, any other character ends the bracket like a closing one and
// makes the term unreadable; the last character of the text is never read as an op.
// The edit of the text (blanks out, comma to point, a 0 before a leading sign and
// between "(" and "-X^") is read as if done: the 0s stand in for themselves, and at a
// blank or a comma the reader asks for the edited text.

#include "fktint.h"
#include "grenzwerte.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

std::uint8_t fehlercode = wert_gueltig;
std::uint64_t gelesenezeichen = 0;
double P = 0.0;
double Q = 0.0;
double R = 0.0;

const std::u16string_view funktionsnamen =
    u"SQR SQRT EXP LN ABS SI SIN COS TAN ARCCOS LG ARCTAN SINH COSH TANH INT SGN F1 F2 F3 F4 COT LD "
    u"ARCSIN ARSINH ARCOSH ARTANH SEC GAMMA GAUSS DIGAMMA CSC FRAC HEAVISIDE ARCCOT ARCSEC";

namespace {

using termwerte::grenze;
using termwerte::pi;
constexpr double phi = 1.618033988749895;
constexpr double euler = 2.718281828459045;
constexpr char16_t e_akut_gross = u'\u00C9';  // the constant e
constexpr char16_t e_akut_klein = u'\u00E9';  // read inside number texts
constexpr char16_t mittelpunkt = u'\u00B7';   // multiplication sign

// Past this depth of nested operands the evaluator stops reading; at least
// 1 000 bracket levels fit below it.
constexpr int maximale_tiefe = 4000;

bool blank_oder_komma(char16_t c) { return c == u' ' || c == u','; }

// ---------------------------------------------------------------------------
// Operations

enum Operation : std::uint8_t { schliessen, plus, minus, mal, durch, hoch, kein_operator };

bool ganzzahlig(double v) { return std::trunc(v) == v; }

// Whole powers a^n, n > 4, with the upper limit tested on the way.
double ganze_potenz(double a, double n) {
  constexpr double schrittgrenze = 64;  // beyond this, the closed form of the same test
  if (n <= schrittgrenze) {
    double r = a;
    for (int i = 1; i < static_cast<int>(n); ++i) {
      r *= a;
      if (r > grenze) {
        fehlercode = wert_begrenzt;
        return grenze;
      }
    }
    return r;
  }
  const double gerade = 2 * std::floor(n / 2);
  if ((a > 1 && std::pow(a, n) > grenze) || (a < -1 && std::pow(-a, gerade) > grenze)) {
    fehlercode = wert_begrenzt;
    return grenze;
  }
  return std::pow(a, n);
}

double undefiniert() {
  fehlercode = wert_undefiniert;
  return 0;
}

double potenz(double a, double b) {
  if (fehlercode >= wert_undefiniert) return undefiniert();
  if (b == 0) return 1;
  if (b == 1) return a;
  if (b == 2) return a * a;
  if (b == 3) return (a * a) * a;
  if (b == 4) return (a * a) * (a * a);
  if (b > 4 && std::fabs(b) < 2147483647.0 && ganzzahlig(b)) return ganze_potenz(a, b);
  if (a == 0) return 0;
  const double l = b * std::log(std::fabs(a));
  if (std::fabs(l) > 16) return undefiniert();
  if (a < 0) {
    if (!ganzzahlig(b) || std::fabs(l) > 15) return undefiniert();
    const double r = std::exp(l);
    return std::fmod(std::trunc(b), 2.0) != 0 ? -r : r;
  }
  return std::exp(l);
}

[[gnu::always_inline]] inline double anwenden(double a, Operation op, double b) {
  switch (op) {
    case plus: return a + b;
    case minus: return a - b;
    case mal:
      if (std::fabs(a) >= grenze || std::fabs(b) >= grenze) {
        fehlercode = wert_undefiniert;
        return grenze;
      }
      return a * b;
    case durch:
      if (b == 0) {
        fehlercode = wert_undefiniert;
        return grenze;
      }
      return a / b;
    default:
      // The square, the most frequent power, without the call; same rules, same order.
      if (b == 2 && fehlercode < wert_undefiniert) return a * a;
      return potenz(a, b);
  }
}

// ---------------------------------------------------------------------------
// Operands

// What a character begins where an operand is due.
enum class Operandart : std::uint8_t {
  fehler, vorzeichen, klammer, eckig, betrag, ziffer, punkt, x, p, q, r, e, funktion
};

// Operator levels, one above those of the rules, so that 0 can mark a bracket on
// the reader's stack: "+" "-" 2, "*" "/" 3, "^" 4, a closing character 1.
constexpr std::uint8_t stufe_von[] = {1, 2, 2, 3, 3, 4, 1};

// Everything the reader asks about a character, in one table.
struct Zeichen {
  Operandart art = Operandart::fehler;  // where an operand is due
  Operation op = kein_operator;         // where an operator is due
  std::uint8_t stufe = stufe_von[kein_operator];
  bool zahlfolge = false;               // can follow the digits of a number
};

struct Zeichentabelle {
  Zeichen z[256] = {};
  constexpr Zeichentabelle() {
    z[u'-'].art = Operandart::vorzeichen;
    z[u'('].art = Operandart::klammer;
    z[u'['].art = Operandart::eckig;
    z[u'|'].art = Operandart::betrag;
    z[u'.'].art = Operandart::punkt;
    for (char16_t c = u'0'; c <= u'9'; ++c) z[c].art = Operandart::ziffer;
    for (char16_t c : std::u16string_view(u"ABCDEFGHIJLMNOSTVW")) z[c].art = Operandart::funktion;
    z[u'X'].art = Operandart::x;
    z[u'P'].art = Operandart::p;
    z[u'Q'].art = Operandart::q;
    z[u'R'].art = Operandart::r;
    z[e_akut_gross].art = Operandart::e;

    z[u'+'].op = plus;
    z[u'-'].op = minus;
    z[u'*'].op = z[mittelpunkt].op = mal;
    z[u'/'].op = durch;
    z[u'^'].op = hoch;
    z[u')'].op = z[u']'].op = z[u'|'].op = schliessen;
    for (auto& e : z) e.stufe = stufe_von[e.op];

    // A comma continues a number in the edited text, and a blank joins it to what follows.
    for (char16_t c : std::u16string_view(u"0123456789.\u00E9, ")) z[c].zahlfolge = true;
  }
  const Zeichen& operator[](char16_t c) const { return z[c < 256 ? c : 0]; }
};
constexpr Zeichentabelle zeichen;

// Slow path of the number reading: long or odd number texts.
double zahl_umwandeln(const char16_t* text, std::size_t n) {
  std::string ziffern(n, '0');
  for (std::size_t i = 0; i < n; ++i) {
    if (text[i] == e_akut_klein) return 0;  // not a decimal number: read as 0
    ziffern[i] = static_cast<char>(text[i]);
  }
  double v = 0;
  const auto [ende, fehler] = std::from_chars(ziffern.data(), ziffern.data() + n, v, std::chars_format::fixed);
  if (fehler == std::errc::result_out_of_range) return HUGE_VAL;
  if (fehler != std::errc() || ende != ziffern.data() + n) return 0;
  return v;
}

// The key of a name of capital letters: up to four letters their characters
// packed into 16-bit lanes, as one load reads them; longer ones five bits a letter,
// marked by the top bit. 0 for other names, and for those too long for a key.
constexpr int langer_name = 12;  // letters that fit into a five-bit key

constexpr std::uint64_t kurzer_schluessel(const char16_t* name, std::size_t laenge) {
  std::uint64_t k = 0;
  for (std::size_t i = 0; i < laenge; ++i) k |= std::uint64_t{name[i]} << 16 * i;
  return k;
}

constexpr std::uint64_t namensschluessel(std::u16string_view name) {
  if (name.empty() || name.size() > langer_name) return 0;
  std::uint64_t k = 0;
  for (char16_t c : name) {
    if (c < u'A' || c > u'Z') return 0;
    k = k << 5 | (c - u'A' + 1);
  }
  return name.size() <= 4 ? kurzer_schluessel(name.data(), name.size()) : k | 1ull << 63;
}

bool gueltige_funktion(int nummer) {
  static constexpr std::array<bool, 180> gueltig = [] {
    std::array<bool, 180> g{};
    for (int n : {1,   5,   10,  14,  17,  21,  24,  28,  32,  36,  43,  46,  53,  58,  63,  68,
                  72,  88,  92,  95,  102, 109, 116, 123, 127, 133, 139, 147, 151, 156, 166, 173})
      g[n] = true;
    return g;
  }();
  return nummer >= 0 && nummer < static_cast<int>(gueltig.size()) && gueltig[nummer];
}

// The listed names of evaluated functions by their keys, in an open-addressed
// table; every other name takes the substring search.
class Namenstabelle {
 public:
  Namenstabelle() {
    for (std::u16string_view rest = funktionsnamen; !rest.empty();) {
      const std::size_t ende = std::min(rest.find(u' '), rest.size());
      const auto name = rest.substr(0, ende);
      rest.remove_prefix(std::min(ende + 1, rest.size()));
      const std::uint64_t k = namensschluessel(name);
      const int nummer = static_cast<int>(funktionsnamen.find(name)) + 1;
      if (k == 0 || !gueltige_funktion(nummer)) continue;  // F1 to F4
      auto* e = &eintraege[platz(k)];
      while (e->schluessel != 0) e = &eintraege[(e - eintraege.data() + 1) % eintraege.size()];
      *e = {k, nummer, name.size()};
    }
  }

  // 0 when the key and length are not those of a listed name. The length tells a
  // short key apart from one that holds NUL characters after the name.
  int nummer(std::uint64_t schluessel, std::size_t laenge) const {
    if (schluessel == 0) return 0;
    for (std::size_t i = platz(schluessel);; i = (i + 1) % eintraege.size()) {
      if (eintraege[i].schluessel == schluessel) return eintraege[i].laenge == laenge ? eintraege[i].nummer : 0;
      if (eintraege[i].schluessel == 0) return 0;
    }
  }

 private:
  struct Eintrag {
    std::uint64_t schluessel;
    int nummer;
    std::size_t laenge;
  };
  // The factor gives each listed name a slot of its own, so a listed name takes one probe.
  static std::size_t platz(std::uint64_t k) { return (k * 0x2EB26BBB24D4FF1Dull) >> 58; }
  std::array<Eintrag, 64> eintraege{};
};

const Namenstabelle namenstabelle;

// ---------------------------------------------------------------------------
// The reader

// What closing a bracket does to its value; every other kind is a function number.
// The whole term is the bracket `ganz` at the bottom of the stack.
enum Klammer : std::uint8_t { ganz = 0, rund = 253, eckig = 254, betrag = 255 };

// One entry of the reader's stack: a pending operator with its left operand, or,
// with level 0, an open bracket (the whole term is the bracket at the bottom).
struct Eintrag {
  double links;
  std::uint8_t stufe;
  std::uint8_t art;  // Operation, or Klammer / function number
  bool negativ;      // bracket: the operand that holds it has a sign
  // Kept only where the depth is counted (bracket entries):
  bool erster_offen;            // its first operand still encloses what is read
  std::uint8_t stufe_davor;     // the level pending when it opened
  std::uint32_t klammer_davor;  // the enclosing bracket's entry
};

// Each operator entry holds a nested operand, and so does each bracket entry but
// those whose first operand has ended, which then hold an operator entry above
// them; so twice the depth limit bounds the stack (and a text that is read without
// counting has fewer characters than the limit). The evaluator runs on one thread
// (it shares `fehlercode`), so one stack serves every call. The bottom entry stays
// the bracket around the whole term (all zero, so the stack takes no room in the program).
std::array<Eintrag, 2 * maximale_tiefe + 2> stapel{};

// The outcome of one reading: the value, or the request to read the edited text.
struct Gelesen {
  double wert;
  bool bearbeiten;
};
constexpr Gelesen bearbeiten{0, true};

// The text and x of the call being read; kept here rather than in registers, as
// the reading needs x only at each "X" and the text only for the edited copy.
struct Aufruf {
  std::u16string_view term;
  double x;
};
Aufruf aufruf;

// "-X^" at p: the edit of the term puts a 0 after a "(" before it.
bool minus_x_hoch(const char16_t* p, const char16_t* ende) {
  return ende - p > 2 && p[0] == u'-' && p[1] == u'X' && p[2] == u'^';
}

// A number read: where it ends, and its value; no end where the edited text reads
// on (a comma continues the number, a blank joins it to what follows).
struct Zahl {
  const char16_t* ende;
  double wert;
};

// Digits and points, no sign, no exponent part. Up to 15 digits the value is one
// exact integer divided by an exact power of ten, which rounds correctly.
Zahl zahl_lesen(const char16_t* const pos, const char16_t* const ende) {
  static constexpr double zehnerpotenzen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const auto ziffer = [](char16_t c) { return static_cast<unsigned>(c - u'0') < 10; };
  const char16_t* const anfang = pos;
  const char16_t* p = pos;
  std::uint64_t mantisse = 0;
  while (p < ende && ziffer(*p)) mantisse = mantisse * 10 + (*p++ - u'0');
  std::ptrdiff_t ziffern = p - anfang, nachkomma = 0;
  if (p < ende && *p == u'.') {
    const char16_t* const komma = ++p;
    while (p < ende && ziffer(*p)) mantisse = mantisse * 10 + (*p++ - u'0');
    nachkomma = p - komma;
    ziffern += nachkomma;
  }
  bool schnell = ziffern > 0 && ziffern <= 15;
  if (p < ende && zeichen[*p].zahlfolge) {  // a second point, an é, a comma or a blank
    while (p < ende && (ziffer(*p) || *p == u'.' || *p == e_akut_klein)) ++p;
    if (p < ende && blank_oder_komma(*p)) return {nullptr, 0};
    schnell = false;
  }
  return {p, schnell ? static_cast<double>(mantisse) / zehnerpotenzen[nachkomma] : zahl_umwandeln(anfang, p - anfang)};
}

// P, PI or PHI. False where a blank may join what follows into PI or PHI.
[[gnu::always_inline]] inline bool p_lesen(const char16_t*& pos, const char16_t* ende, double& v) {
  const std::ptrdiff_t rest = ende - pos;
  if (rest > 1 && pos[1] == u' ') return false;
  if (rest > 1 && pos[1] == u'I') {
    pos += 2;
    v = pi;
    return true;
  }
  if (rest > 2 && pos[1] == u'H') {
    if (pos[2] == u' ') return false;
    if (pos[2] == u'I') {
      pos += 3;
      v = phi;
      return true;
    }
  }
  ++pos;
  v = P;
  return true;
}

// Names that are not listed (or have digits) are found by the substring search.
[[gnu::noinline]] int funktionsnummer_gesucht(const char16_t* name, std::size_t laenge) {
  return funktionsnummer(std::u16string_view(name, laenge));
}

// The name of a function call runs up to the next "(" or the end of the text; the
// position moves past that "(". Returns the number of the function, 0 for a name
// that is not evaluated, -1 where the edited text reads otherwise (a blank or a
// comma in the name).
[[gnu::always_inline]] inline int funktionsname(const char16_t*& pos, const char16_t* ende) {
  if (ende - pos > 4) {  // a short name and its "(" among the next five characters
    std::uint64_t vier;  // the next four characters, one to a 16-bit lane
    std::memcpy(&vier, pos, sizeof vier);
    const std::uint64_t t = vier ^ 0x0028002800280028ull;  // lanes holding "(" become 0
    const std::uint64_t klammer = (t - 0x0001000100010001ull) & ~t & 0x8000800080008000ull;
    const int laenge = klammer != 0 ? std::countr_zero(klammer) / 16 : pos[4] == u'(' ? 4 : 0;
    const std::uint64_t schluessel = laenge < 4 ? vier & ((1ull << 16 * laenge) - 1) : vier;
    if (const int nummer = laenge > 0 ? namenstabelle.nummer(schluessel, laenge) : 0) {
      pos += laenge + 1;
      return nummer;
    }
  }
  const char16_t* const anfang = pos;
  for (; pos < ende && *pos != u'('; ++pos)
    if (blank_oder_komma(*pos)) return -1;
  const std::size_t laenge = pos - anfang;
  int nummer = namenstabelle.nummer(namensschluessel(std::u16string_view(anfang, laenge)), laenge);
  if (nummer == 0) nummer = funktionsnummer_gesucht(anfang, laenge);
  if (pos < ende) ++pos;
  return gueltige_funktion(nummer) ? nummer : 0;
}

// The value of a closed bracket other than a round one: a function, [ ] or | |.
double klammerwert(std::uint8_t art, double v) {
  if (art < rund) return funktionswert(art, v);
  if (art == eckig) return v >= 0 ? std::trunc(v) : std::trunc(v - 1);
  return std::fabs(v);
}

// The reading of one text. Where the raw text meets what the edit of the term
// changes, it stops with `bearbeiten`; the edited text never meets such a place.
// `zaehlen`: count the nested operands as the reading by rules nests them, for
// the depth limit. A text shorter than the limit cannot reach it (every nested
// operand but the first costs a character), so it is read without counting.
template <bool zaehlen>
[[gnu::always_inline]] inline Gelesen lesen(const char16_t* pos, const char16_t* const ende) {
  Eintrag* const boden = stapel.data();
  Eintrag* oben = boden;
  [[maybe_unused]] Eintrag* klammer = boden;  // the innermost open bracket
  [[maybe_unused]] int tiefe = 1;
  if constexpr (zaehlen) {
    boden->erster_offen = true;
    boden->stufe_davor = stufe_von[schliessen];
  }
  double v = 0;
  bool negativ = false;
  char16_t c;  // where an operand is due

  // Opens a bracket on the stack; false where that nests too deep.
  const auto oeffnen = [&](std::uint8_t art) {
    if constexpr (zaehlen) {
      if (++tiefe > maximale_tiefe) return false;
      const std::uint8_t davor = oben->stufe > 0 ? oben->stufe : klammer->stufe_davor;
      *++oben = {0, 0, art, negativ, true, davor, static_cast<std::uint32_t>(klammer - boden)};
      klammer = oben;
    } else {
      ++oben;
      oben->stufe = 0;
      oben->art = art;
      oben->negativ = negativ;
    }
    return true;
  };

  // X, or a number of one digit: the most frequent operands, read before the table.
  const auto einfach = [&](char16_t z) {
    if (z == u'X') {
      ++pos;
      v = aufruf.x;
      return true;
    }
    if (static_cast<unsigned>(z - u'0') < 10 && (pos + 1 == ende || !zeichen[pos[1]].zahlfolge)) {
      ++pos;
      v = z - u'0';
      return true;
    }
    return false;
  };

  // term = "0" op ...: the 0 that the edit puts in front of a leading sign.
  if (*pos == u'-' || *pos == u'+') goto operator_faellig;

operand:  // operand, right of an op (never the last character); X and one digit first
  c = *pos;
  if (einfach(c)) goto operator_faellig;
  negativ = false;
  goto faktor_zeichen;
klammer_operand:  // term = operand ...: the first operand after an opening (may be at the end)
  if (pos < ende && einfach(*pos)) goto operator_faellig;
  negativ = false;
faktor:  // operand = ["-"] faktor: the faktor, or the "-" before it
  c = pos < ende ? *pos : u'\0';
faktor_zeichen:  // faktor: the character c decides the alternative
  switch (zeichen[c].art) {
    case Operandart::x: ++pos; v = aufruf.x; break;
    case Operandart::ziffer:
    case Operandart::punkt: {
      const Zahl zahl = zahl_lesen(pos, ende);
      if (!zahl.ende) return bearbeiten;
      pos = zahl.ende;
      v = zahl.wert;
      break;
    }
    case Operandart::vorzeichen:  // ["-"]: one sign per operand; a second one is no faktor
      if (negativ) goto kein_operand;
      negativ = true;
      ++pos;
      goto faktor;
    case Operandart::klammer:  // "(" term ")"
      ++pos;
      if (!oeffnen(rund)) goto zu_tief;
      if (minus_x_hoch(pos, ende)) goto null_davor;
      goto klammer_operand;
    case Operandart::eckig:  // "[" term "]"
      ++pos;
      if (!oeffnen(eckig)) goto zu_tief;
      goto klammer_operand;
    case Operandart::betrag:  // "|" term "|"
      ++pos;
      if (!oeffnen(betrag)) goto zu_tief;
      goto klammer_operand;
    case Operandart::funktion: {  // name "(" term ")"
      const int nummer = funktionsname(pos, ende);
      if (nummer < 0) return bearbeiten;
      if (nummer > 0) {
        if (!oeffnen(static_cast<std::uint8_t>(nummer))) goto zu_tief;
        if (minus_x_hoch(pos, ende)) goto null_davor;
        goto klammer_operand;
      }
      // Not evaluated: the argument is left for the operator reading.
      if (minus_x_hoch(pos, ende)) return bearbeiten;
      fehlercode = term_unlesbar;
      v = 0;
      break;
    }
    case Operandart::p:  // "P" | "PI" | "PHI"
      if (!p_lesen(pos, ende, v)) return bearbeiten;
      break;
    case Operandart::q: ++pos; v = Q; break;
    case Operandart::r: ++pos; v = R; break;
    case Operandart::e: ++pos; v = euler; break;
    case Operandart::fehler:
      if (blank_oder_komma(c)) return bearbeiten;
    kein_operand:  // faktor: none of its alternatives
      fehlercode = term_unlesbar;
      v = 0;
      break;
    default: __builtin_unreachable();
  }
  if (negativ) v = -v;
  goto operator_faellig;

null_davor:  // term = "0" op ...: the 0 that the edit puts between "(" and "-X^"
  v = 0;

operator_faellig: {  // { op operand }: apply what binds at least as tight, then push op or close
  // The last character of the text is never read as an operator; any character
  // that is no operator ends the bracket like a closing one, and is an error.
  Operation op = schliessen;
  std::uint8_t stufe = stufe_von[schliessen];
  if (pos + 1 < ende) {
    const char16_t o = *pos++;
    op = zeichen[o].op;
    stufe = zeichen[o].stufe;
    if (op == kein_operator) {
      if (blank_oder_komma(o) || (o == u'(' && minus_x_hoch(pos, ende))) return bearbeiten;
      fehlercode = term_unlesbar;
    }
  }
  // The pending operators that bind at least as tight are applied, innermost first.
  for (; oben->stufe >= stufe; --oben) {
    v = anwenden(oben->links, static_cast<Operation>(oben->art), v);
    if constexpr (zaehlen) --tiefe;
  }
  if constexpr (zaehlen) {
    // The bracket's first operand ends where nothing binds tighter than what it inherited.
    if (oben == klammer && klammer->erster_offen && stufe <= klammer->stufe_davor) {
      klammer->erster_offen = false;
      --tiefe;
    }
  }
  if (stufe > stufe_von[schliessen]) {
    if constexpr (zaehlen)
      if (++tiefe > maximale_tiefe) goto zu_tief;
    ++oben;
    oben->links = v;
    oben->stufe = stufe;
    oben->art = op;
    goto operand;
  }
  if (oben->art != ganz) {
    if (oben->art != rund) v = klammerwert(oben->art, v);
    if (oben->negativ) v = -v;
    if constexpr (zaehlen) klammer = boden + oben->klammer_davor;
    --oben;
    goto operator_faellig;
  }
}
  return {v, false};

zu_tief:  // operand nested deeper than maximale_tiefe: the term is unreadable
  fehlercode = term_unlesbar;
  return {0, false};
}

// The edit of the term in two passes over reused buffers: commas and blanks, then the
// leading sign and the "(-X^" insertions (an insertion never makes a new one).
std::u16string_view normalisieren(std::u16string_view t) {
  static std::u16string ohne_blanks, fertig;
  ohne_blanks.resize(t.size());
  std::size_t n = 0;
  for (char16_t c : t)
    if (c != u' ') ohne_blanks[n++] = c == u',' ? u'.' : c;
  if (n == 0) ohne_blanks[n++] = u' ';

  fertig.resize(2 * n + 1);
  std::size_t m = 0;
  if (ohne_blanks[0] == u'-' || ohne_blanks[0] == u'+') fertig[m++] = u'0';
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t c = ohne_blanks[i];
    fertig[m++] = c;
    if (c == u'(' && i + 3 < n && ohne_blanks[i + 1] == u'-' && ohne_blanks[i + 2] == u'X' &&
        ohne_blanks[i + 3] == u'^')
      fertig[m++] = u'0';
  }
  return std::u16string_view(fertig.data(), m);
}

// Long texts, where the depth is counted, out of the way of the short ones.
[[gnu::noinline]] Gelesen lang_lesen(std::u16string_view t) { return lesen<true>(t.data(), t.data() + t.size()); }

[[gnu::always_inline]] inline Gelesen lesen(std::u16string_view t) {
  fehlercode = wert_gueltig;
  Gelesen g = t.size() < maximale_tiefe ? lesen<false>(t.data(), t.data() + t.size()) : lang_lesen(t);
  if (g.wert > grenze) {
    g.wert = grenze;
    fehlercode = wert_begrenzt;
  }
  return g;
}

// The edited text, rarely needed, out of the way of the raw reading.
[[gnu::noinline]] double bearbeitet_lesen() {
  const auto bearbeitet = normalisieren(aufruf.term);
  if (bearbeitet == u" ") {  // only blanks: no operand where one is due
    fehlercode = term_unlesbar;
    return 0;
  }
  return lesen(bearbeitet).wert;
}

[[gnu::always_inline]] inline double auswerten(std::u16string_view term, double x) {
  if (!(x >= -1000000)) {  // below the range, or not a number
    fehlercode = term_unlesbar;
    return 0;
  }
  if (x > 1000000) {
    fehlercode = kurve_unterbrochen;
    return 0;
  }
  if (term.empty()) {
    fehlercode = term_unlesbar;
    return 0;
  }
  // The raw text is read first and copied only when the reader meets a blank or a
  // comma; a trailing blank decides at once, as it moves the end of the text.
  aufruf = {term, x};
  if (term.back() != u' ') {
    const Gelesen g = lesen(term);
    if (!g.bearbeiten) return g.wert;
  }
  return bearbeitet_lesen();
}

}  // namespace

double fktwert(std::u16string_view term, double x) {
  gelesenezeichen += term.size();
  return auswerten(term, x);
}

Wert wert(std::u16string_view term, double x) {
  const double y = fktwert(term, x);
  return {y, fehlercode == wert_gueltig};
}

int funktionsnummer(std::u16string_view name) {
  const auto i = funktionsnamen.find(name);
  return i == std::u16string_view::npos ? 0 : static_cast<int>(i) + 1;
}
