// The plain recursive reader, one routine per rule, kept as the reference that the
// evaluator's fast reader must match value bit for value bit and status for status.
// It shares the globals and the function library with the evaluator.

#include "referenz_fktint.h"

#include <charconv>
#include <cmath>
#include <string>

#include "fktint.h"

namespace referenz {

namespace {

constexpr double grenze = 1e10;  // substitute value and limit of products and results
constexpr double pi = 3.141592653589793;
constexpr double phi = 1.618033988749895;
constexpr double euler = 2.718281828459045;
constexpr char16_t e_akut_gross = u'\u00C9';  // the constant e
constexpr char16_t e_akut_klein = u'\u00E9';  // read inside number texts
constexpr char16_t mittelpunkt = u'\u00B7';   // multiplication sign

// Past this depth of nested operands the evaluator stops descending; at least
// 1 000 bracket levels fit below it, and the stack stays small.
constexpr int maximale_tiefe = 4000;

// Evaluation state of one call.
struct Zustand {
  const char16_t* text;
  std::size_t laenge;
  std::size_t pos;  // 0-based reading position
  double x;
  char16_t vorschau_op;  // lookahead operator
  int vorschau_stufe;
  char16_t offen_op;  // pending operator
  int offen_stufe;
  int tiefe;
  bool abgebrochen;
  bool roh;        // the text as the caller gave it, not yet edited
  bool neu_lesen;  // the raw text met something that the edit would change
};

// Stops reading at once; the loops of the reader all end at the end of the text.
void lesen_beenden(Zustand& z) {
  z.pos = z.laenge;
  z.vorschau_stufe = 0;
}

// The raw text met something that the edit of the term changes: read the edited text.
void bearbeitung_noetig(Zustand& z) {
  if (!z.roh) return;
  z.neu_lesen = true;
  lesen_beenden(z);
}

bool blank_oder_komma(char16_t c) { return c == u' ' || c == u','; }

// "-X^" directly after a "(": the edit of the term puts a 0 between them.
bool minus_x_hoch(const Zustand& z) {
  return z.pos + 2 < z.laenge && z.text[z.pos] == u'-' && z.text[z.pos + 1] == u'X' &&
         z.text[z.pos + 2] == u'^';
}

double ausdruck(Zustand& z);
double klammerinhalt(Zustand& z);

void undefiniert_setzen() { fehlercode = wert_undefiniert; }

// Operator levels; -1 marks a character that is no operator (read as a closing one).
struct Stufentabelle {
  std::int8_t stufe[256] = {};
  constexpr Stufentabelle() {
    for (auto& s : stufe) s = -1;
    stufe[u'+'] = stufe[u'-'] = 1;
    stufe[u'*'] = stufe[mittelpunkt] = stufe[u'/'] = 2;
    stufe[u'^'] = 3;
    stufe[u')'] = stufe[u']'] = stufe[u'|'] = 0;
  }
};
constexpr Stufentabelle stufentabelle;

// operatorlesen: the last character of the text is never read as an operator.
[[gnu::always_inline]] inline void operatorlesen(Zustand& z) {
  if (z.pos + 1 >= z.laenge) {
    z.vorschau_stufe = 0;
    return;
  }
  const char16_t c = z.text[z.pos++];
  z.vorschau_op = c;
  const int stufe = c < 256 ? stufentabelle.stufe[c] : -1;
  if (stufe < 0) {
    z.vorschau_stufe = 0;
    fehlercode = term_unlesbar;
    if (blank_oder_komma(c) || (c == u'(' && minus_x_hoch(z))) bearbeitung_noetig(z);
  } else {
    z.vorschau_stufe = stufe;
  }
}

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

double potenz(double a, double b) {
  if (fehlercode >= wert_undefiniert) {
    fehlercode = wert_undefiniert;
    return 0;
  }
  if (b == 0) return 1;
  if (b == 1) return a;
  if (b == 2) return a * a;
  if (b == 3) return (a * a) * a;
  if (b == 4) return (a * a) * (a * a);
  if (b > 4 && std::fabs(b) < 2147483647.0 && ganzzahlig(b)) return ganze_potenz(a, b);
  if (a == 0) return 0;
  const double l = b * std::log(std::fabs(a));
  if (std::fabs(l) > 16) {
    undefiniert_setzen();
    return 0;
  }
  if (a < 0) {
    if (!ganzzahlig(b) || std::fabs(l) > 15) {
      undefiniert_setzen();
      return 0;
    }
    const double r = std::exp(l);
    return std::fmod(std::trunc(b), 2.0) != 0 ? -r : r;
  }
  return std::exp(l);
}

[[gnu::always_inline]] inline double anwenden(double a, char16_t op, double b) {
  switch (op) {
    case u'+': return a + b;
    case u'-': return a - b;
    case u'*': case mittelpunkt:
      if (std::fabs(a) >= grenze || std::fabs(b) >= grenze) {
        fehlercode = wert_undefiniert;
        return grenze;
      }
      return a * b;
    case u'/':
      if (b == 0) {
        fehlercode = wert_undefiniert;
        return grenze;
      }
      return a / b;
    case u'^': return potenz(a, b);
    default: return a;
  }
}


// Slow path of zahllesen: long or odd number texts.
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

// zahllesen: digits and points, no sign, no exponent part. Up to 15 digits the
// value is one exact integer divided by an exact power of ten, which rounds correctly.
[[gnu::always_inline]] inline double zahllesen(Zustand& z) {
  static constexpr double zehnerpotenzen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const std::size_t anfang = z.pos;
  std::uint64_t mantisse = 0;
  int ziffern = 0, nachkomma = -1;
  bool schnell = true;
  for (; z.pos < z.laenge; ++z.pos) {
    const char16_t c = z.text[z.pos];
    if (c >= u'0' && c <= u'9') {
      mantisse = mantisse * 10 + (c - u'0');
      ++ziffern;
      if (nachkomma >= 0) ++nachkomma;
    } else if (c == u'.') {
      if (nachkomma >= 0) schnell = false;
      nachkomma = 0;
    } else if (c == e_akut_klein) {
      schnell = false;
    } else {
      // A comma continues the number in the edited text, and a blank joins it to what follows.
      if (blank_oder_komma(c)) {
        bearbeitung_noetig(z);
        return 0;
      }
      break;
    }
  }
  if (schnell && ziffern > 0 && ziffern <= 15)
    return static_cast<double>(mantisse) / zehnerpotenzen[nachkomma < 0 ? 0 : nachkomma];
  return zahl_umwandeln(z.text + anfang, z.pos - anfang);
}

bool gueltige_funktion(int nummer) {
  switch (nummer) {
    case 1: case 5: case 10: case 14: case 17: case 21: case 24: case 28: case 32: case 36:
    case 43: case 46: case 53: case 58: case 63: case 68: case 72: case 88: case 92: case 95:
    case 102: case 109: case 116: case 123: case 127: case 133: case 139: case 147: case 151:
    case 156: case 166: case 173:
      return true;
    default:
      return false;
  }
}

// A function call: the name runs up to the next "(" or the end of the text.
double funktionsaufruf(Zustand& z) {
  const std::size_t anfang = z.pos;
  for (; z.pos < z.laenge && z.text[z.pos] != u'('; ++z.pos)
    if (blank_oder_komma(z.text[z.pos])) bearbeitung_noetig(z);
  if (z.neu_lesen) return 0;
  const int nummer = funktionsnummer(std::u16string_view(z.text + anfang, z.pos - anfang));
  if (z.pos < z.laenge) ++z.pos;
  if (!gueltige_funktion(nummer)) {
    if (minus_x_hoch(z)) bearbeitung_noetig(z);
    fehlercode = term_unlesbar;
    return 0;
  }
  const double v = klammerinhalt(z);
  return funktionswert(nummer, v);
}

// What a character begins where an operand is due.
enum class Operandart : std::uint8_t { fehler, klammer, eckig, betrag, zahl, x, p, q, r, e, funktion };

struct Operandtabelle {
  Operandart art[256] = {};
  constexpr Operandtabelle() {
    art[u'('] = Operandart::klammer;
    art[u'['] = Operandart::eckig;
    art[u'|'] = Operandart::betrag;
    art[u'.'] = Operandart::zahl;
    for (char16_t c = u'0'; c <= u'9'; ++c) art[c] = Operandart::zahl;
    for (char16_t c : std::u16string_view(u"ABCDEFGHIJLMNOSTVW")) art[c] = Operandart::funktion;
    art[u'X'] = Operandart::x;
    art[u'P'] = Operandart::p;
    art[u'Q'] = Operandart::q;
    art[u'R'] = Operandart::r;
    art[e_akut_gross] = Operandart::e;
  }
};
constexpr Operandtabelle operandtabelle;

// P, PI or PHI. A blank among the next two characters may join them into PI or PHI.
double p_lesen(Zustand& z) {
  for (std::size_t i = z.pos + 1; i < z.laenge && i <= z.pos + 2; ++i)
    if (z.text[i] == u' ') {
      bearbeitung_noetig(z);
      return 0;
    }
  if (z.pos + 1 < z.laenge && z.text[z.pos + 1] == u'I') {
    z.pos += 2;
    return pi;
  }
  if (z.pos + 2 < z.laenge && z.text[z.pos + 1] == u'H' && z.text[z.pos + 2] == u'I') {
    z.pos += 3;
    return phi;
  }
  ++z.pos;
  return P;
}

[[gnu::always_inline]] inline double faktor(Zustand& z) {
  const char16_t c = z.pos < z.laenge ? z.text[z.pos] : u'\0';
  switch (c < 256 ? operandtabelle.art[c] : Operandart::fehler) {
    case Operandart::klammer:
      ++z.pos;
      return klammerinhalt(z);
    case Operandart::eckig: {
      ++z.pos;
      const double v = ausdruck(z);
      return v >= 0 ? std::trunc(v) : std::trunc(v - 1);
    }
    case Operandart::betrag:
      ++z.pos;
      return std::fabs(ausdruck(z));
    case Operandart::zahl: return zahllesen(z);
    case Operandart::x: ++z.pos; return z.x;
    case Operandart::p: return p_lesen(z);
    case Operandart::q: ++z.pos; return Q;
    case Operandart::r: ++z.pos; return R;
    case Operandart::e: ++z.pos; return euler;
    case Operandart::funktion: return funktionsaufruf(z);
    case Operandart::fehler:
      if (blank_oder_komma(c)) bearbeitung_noetig(z);
      break;
  }
  fehlercode = term_unlesbar;
  return 0;
}

double verknuepfen(Zustand& z, double links);

// The rest of an operand once its factor is known: the operators that bind tighter
// than the pending one.
[[gnu::always_inline]] inline double operand_rest(Zustand& z, double v) {
  operatorlesen(z);
  while (z.vorschau_stufe > z.offen_stufe) v = verknuepfen(z, v);
  return v;
}

// One operand; `null_davor` stands for the 0 that the edit of the term puts in front
// of a leading sign and between "(" and "-X^", read as if it stood in the text.
double operand(Zustand& z, bool null_davor = false) {
  if (++z.tiefe > maximale_tiefe) {
    // Too deep to read safely: stop reading; the call reports the term as unreadable.
    z.abgebrochen = true;
    lesen_beenden(z);
    --z.tiefe;
    return 0;
  }
  double v;
  if (null_davor) {
    v = 0;
  } else if (z.pos < z.laenge && z.text[z.pos] == u'-') {
    ++z.pos;
    v = -faktor(z);
  } else {
    v = faktor(z);
  }
  v = operand_rest(z, v);
  --z.tiefe;
  return v;
}

double verknuepfen(Zustand& z, double links) {
  const char16_t alt_op = z.offen_op;
  const int alt_stufe = z.offen_stufe;
  do {
    z.offen_op = z.vorschau_op;
    z.offen_stufe = z.vorschau_stufe;
    const double rechts = operand(z);
    links = anwenden(links, z.offen_op, rechts);
  } while (z.vorschau_stufe >= z.offen_stufe);
  z.offen_op = alt_op;
  z.offen_stufe = alt_stufe;
  return links;
}

double ausdruck(Zustand& z, bool null_davor) {
  double v = operand(z, null_davor);
  while (z.vorschau_stufe > 0) v = verknuepfen(z, v);
  return v;
}

double ausdruck(Zustand& z) { return ausdruck(z, false); }

// Where the edit's 0 would be met otherwise (after an unknown function name, or
// where an operator is due), the reader asks for the edited text instead.
double klammerinhalt(Zustand& z) { return ausdruck(z, minus_x_hoch(z)); }

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

double auswerten(std::u16string_view t, double x, bool roh, bool& neu_lesen) {
  Zustand z{t.data(), t.size(), 0, x, 0, 0, 0, 0, 0, false, roh, false};
  fehlercode = wert_gueltig;
  const bool vorzeichen = t.front() == u'-' || t.front() == u'+';
  double v = ausdruck(z, vorzeichen);
  neu_lesen = z.neu_lesen;
  if (z.abgebrochen) {
    fehlercode = term_unlesbar;
    return 0;
  }
  if (v > grenze) {
    v = grenze;
    fehlercode = wert_begrenzt;
  }
  return v;
}

}  // namespace

double fktwert(std::u16string_view term, double x) {
  if (x < -1000000 || std::isnan(x)) {
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
  bool neu_lesen = false;
  if (term.back() != u' ') {
    const double v = auswerten(term, x, true, neu_lesen);
    if (!neu_lesen) return v;
  }
  return auswerten(normalisieren(term), x, false, neu_lesen);
}

namespace {

// The listed names by length and first letter, so that a listed name is found
// without searching the whole list; each listed name first occurs at its own place.
struct Namenstabelle {
  static constexpr int laengen = 10;
  struct Eintrag {
    std::u16string_view name;
    int nummer;
  };
  Eintrag eintraege[laengen][26][3] = {};

  Namenstabelle() {
    std::size_t anfang = 0;
    while (anfang < funktionsnamen.size()) {
      std::size_t ende = funktionsnamen.find(u' ', anfang);
      if (ende == std::u16string_view::npos) ende = funktionsnamen.size();
      const auto name = funktionsnamen.substr(anfang, ende - anfang);
      for (auto& e : eintraege[name.size()][name[0] - u'A'])
        if (e.name.empty()) {
          e = {name, static_cast<int>(funktionsnamen.find(name)) + 1};
          break;
        }
      anfang = ende + 1;
    }
  }
};

const Namenstabelle namenstabelle;

}  // namespace

int funktionsnummer(std::u16string_view name) {
  if (!name.empty() && name.size() < Namenstabelle::laengen && name[0] >= u'A' && name[0] <= u'Z')
    for (const auto& e : namenstabelle.eintraege[name.size()][name[0] - u'A']) {
      if (e.name.empty()) break;
      std::size_t i = 1;
      while (i < name.size() && e.name[i] == name[i]) ++i;
      if (i == name.size()) return e.nummer;
    }
  const auto i = funktionsnamen.find(name);
  return i == std::u16string_view::npos ? 0 : static_cast<int>(i) + 1;
}

}  // namespace referenz
