// The reading check follows the rules of the evaluator's reader one by one: one
// routine per rule, the state of one check in one struct handed down. Where the
// evaluator would set term_unlesbar, or would leave characters unread, the check
// stops and names the place.

#include "lesepruefung.h"

#include "fktint.h"
#include "funktionstabelle.h"

namespace {

constexpr char16_t mittelpunkt = u'\u00B7';
constexpr char16_t e_akut_gross = u'\u00C9';
constexpr char16_t e_akut_klein = u'\u00E9';
constexpr int maximale_tiefe = 4000;  // the evaluator's depth limit

// Operator levels as the evaluator reads them; -1: no operator (read as a
// closing character, and an error).
int stufe(char16_t c) {
  switch (c) {
    case u'+': case u'-': return 1;
    case u'*': case u'/': case mittelpunkt: return 2;
    case u'^': return 3;
    case u')': case u']': case u'|': return 0;
    default: return -1;
  }
}

bool ziffer(char16_t c) { return c >= u'0' && c <= u'9'; }
bool buchstabe(char16_t c) { return c >= u'A' && c <= u'Z'; }
bool schliessend(char16_t c) { return c == u')' || c == u']' || c == u'|'; }
bool funktionsbuchstabe(char16_t c) {
  return buchstabe(c) && std::u16string_view(u"ABCDEFGHIJLMNOSTVW").find(c) != std::u16string_view::npos;
}
// What can begin an operand: met where an operator is due, an operator is missing.
bool operandanfang(char16_t c) {
  return ziffer(c) || buchstabe(c) || c == u'.' || c == u'(' || c == u'[' || c == e_akut_gross;
}

struct Abbruch {};  // the first error ends the check

// The state of one check: the edited text, the reading position and the lookahead.
struct Pruefung {
  std::u16string_view t;
  std::size_t pos = 0;
  int vorschau_stufe = 0;
  bool vorschau_gelesen = false;  // the last lookahead took a character
  int offen_stufe = 0;
  int tiefe = 0;
  int am_ende_geschlossen = 0;  // brackets ended by the end of the text
  std::size_t operand_anfang = 0;  // where the operand before the lookahead began
  Lesebefund befund;

  [[noreturn]] void fehler(Lesefehler f, std::size_t stelle) {
    befund.fehler = f;
    befund.stelle = stelle;
    throw Abbruch{};
  }
};

void ausdruck(Pruefung& p);

// The word at i: a run of letters and digits, or the one character.
std::u16string wort_bei(std::u16string_view t, std::size_t i) {
  if (i >= t.size()) return {};
  std::size_t j = i + 1;
  const auto teil = [](char16_t c) { return ziffer(c) || buchstabe(c) || c == u'.'; };
  if (teil(t[i]))
    while (j < t.size() && teil(t[j]) && (buchstabe(t[i]) || !buchstabe(t[j]))) ++j;
  return std::u16string(t.substr(i, j - i));
}

// operatorlesen: the last character is never read as an operator.
void operatorlesen(Pruefung& p) {
  p.vorschau_gelesen = false;
  p.vorschau_stufe = 0;
  if (p.pos + 1 >= p.t.size()) return;
  const char16_t c = p.t[p.pos];
  const int s = stufe(c);
  if (s < 0) {
    p.befund.wort = wort_bei(p.t, p.pos);
    p.befund.davor = std::u16string(p.t.substr(p.operand_anfang, p.pos - p.operand_anfang));
    p.fehler(operandanfang(c) ? Lesefehler::operator_fehlt : Lesefehler::zeichen_ohne_bedeutung, p.pos);
  }
  ++p.pos;
  p.vorschau_stufe = s;
  p.vorschau_gelesen = true;
}

// A bracket's content, ended by a closing character or by the end of the text.
void klammerinhalt(Pruefung& p) {
  ausdruck(p);
  if (!p.vorschau_gelesen) ++p.am_ende_geschlossen;
}

// zahllesen: digits, points and é.
void zahl(Pruefung& p) {
  while (p.pos < p.t.size() && (ziffer(p.t[p.pos]) || p.t[p.pos] == u'.' || p.t[p.pos] == e_akut_klein)) ++p.pos;
}

// A function call: the name runs up to the next "(" or the end of the text.
void funktionsaufruf(Pruefung& p) {
  const std::size_t anfang = p.pos;
  while (p.pos < p.t.size() && p.t[p.pos] != u'(') ++p.pos;
  if (!ausgewertete_funktion(p.t.substr(anfang, p.pos - anfang))) {
    p.befund.wort = wort_bei(p.t, anfang);
    p.fehler(Lesefehler::unbekannter_name, anfang);
  }
  if (p.pos < p.t.size()) ++p.pos;
  klammerinhalt(p);
}

// P, PI or PHI.
void p_lesen(Pruefung& p) {
  const auto folgt = [&p](std::u16string_view s) { return p.t.substr(p.pos + 1, s.size()) == s; };
  p.pos += folgt(u"I") ? 2 : folgt(u"HI") ? 3 : 1;
}

// faktor: what the character where an operand is due begins.
void faktor(Pruefung& p) {
  const char16_t c = p.pos < p.t.size() ? p.t[p.pos] : u'\0';
  if (c == u'(' || c == u'[' || c == u'|') {
    ++p.pos;
    klammerinhalt(p);
  } else if (ziffer(c) || c == u'.') {
    zahl(p);
  } else if (c == u'X' || c == u'Q' || c == u'R' || c == e_akut_gross) {
    ++p.pos;
  } else if (c == u'P') {
    p_lesen(p);
  } else if (funktionsbuchstabe(c)) {
    funktionsaufruf(p);
  } else if (p.pos >= p.t.size() || stufe(c) >= 0 || c == u' ') {  // the blank of an empty text
    // The end, an operator, a closing bracket or a second sign: nothing to work on.
    p.befund.wort = p.pos > 0 ? std::u16string(1, p.t[p.pos - 1]) : u"";
    p.fehler(Lesefehler::operand_fehlt, p.pos);
  } else {
    p.befund.wort = wort_bei(p.t, p.pos);
    p.fehler(buchstabe(c) ? Lesefehler::unbekannter_name : Lesefehler::zeichen_ohne_bedeutung, p.pos);
  }
}

void verknuepfen(Pruefung& p);

// operand: an optional sign, the factor, and what binds tighter than the pending operator.
void operand(Pruefung& p) {
  if (++p.tiefe > maximale_tiefe) p.fehler(Lesefehler::zu_tief, p.pos);
  const std::size_t anfang = p.pos;
  if (p.pos < p.t.size() && p.t[p.pos] == u'-') ++p.pos;
  faktor(p);
  p.operand_anfang = anfang;
  operatorlesen(p);
  while (p.vorschau_stufe > p.offen_stufe) verknuepfen(p);
  --p.tiefe;
}

// verknuepfen: operands joined by operators of the pending level and above.
void verknuepfen(Pruefung& p) {
  const int alt = p.offen_stufe;
  do {
    p.offen_stufe = p.vorschau_stufe;
    operand(p);
  } while (p.vorschau_stufe >= p.offen_stufe);
  p.offen_stufe = alt;
}

void ausdruck(Pruefung& p) {
  operand(p);
  while (p.vorschau_stufe > 0) verknuepfen(p);
}

// What the reading leaves at its end: unread characters and open brackets.
void ende_pruefen(Pruefung& p) {
  const std::size_t n = p.t.size();
  if (p.vorschau_gelesen) {  // a closing character where no bracket is open
    p.befund.wort = std::u16string(1, p.t[p.pos - 1]);
    p.fehler(Lesefehler::klammer_zu_viel, p.pos - 1);
  }
  if (p.pos < n) {  // the last character, never read as an operator
    const char16_t c = p.t[n - 1];
    p.befund.wort = wort_bei(p.t, n - 1);
    if (schliessend(c)) {
      if (p.am_ende_geschlossen == 1) return;  // it closes the one bracket still open
      p.fehler(p.am_ende_geschlossen == 0 ? Lesefehler::klammer_zu_viel : Lesefehler::klammer_offen, n - 1);
    }
    if (stufe(c) > 0) p.fehler(Lesefehler::operand_fehlt, n - 1);
    p.befund.davor = std::u16string(p.t.substr(p.operand_anfang, n - 1 - p.operand_anfang));
    p.fehler(operandanfang(c) ? Lesefehler::operator_fehlt : Lesefehler::zeichen_ohne_bedeutung, n - 1);
  }
  if (p.am_ende_geschlossen > 0) p.fehler(Lesefehler::klammer_offen, n);
}

}  // namespace

Bearbeitet bearbeiten(std::u16string_view term) {
  Bearbeitet b;
  std::u16string ohne;
  std::vector<std::size_t> her;
  for (std::size_t i = 0; i < term.size(); ++i)
    if (term[i] != u' ') {
      ohne += term[i] == u',' ? u'.' : term[i];
      her.push_back(i);
    }
  if (ohne.empty()) {
    ohne.assign(1, u' ');
    her.push_back(0);
  }
  const auto setzen = [&b](char16_t c, std::size_t h) {
    b.text += c;
    b.herkunft.push_back(h);
  };
  if (ohne[0] == u'-' || ohne[0] == u'+') setzen(u'0', her[0]);
  for (std::size_t i = 0; i < ohne.size(); ++i) {
    setzen(ohne[i], her[i]);
    if (ohne[i] == u'(' && ohne.compare(i + 1, 3, u"-X^") == 0) setzen(u'0', her[i + 1]);
  }
  return b;
}

bool ausgewertete_funktion(std::u16string_view name) { return ausgewertete_nummer(funktionsnummer(name)); }

Lesebefund lesepruefung(std::u16string_view term) {
  const Bearbeitet b = bearbeiten(term);
  Pruefung p;
  p.t = b.text;
  try {
    ausdruck(p);
    ende_pruefen(p);
    return {};
  } catch (const Abbruch&) {
    Lesebefund befund = p.befund;
    befund.stelle = befund.stelle < b.herkunft.size() ? b.herkunft[befund.stelle] : term.size();
    return befund;
  }
}
