// Derivative builder: term text -> tree -> derivative tree -> simplified text.
#include "uableitung.h"
#include "termbaum.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace termbaum;
using text = std::u16string;

// Per-call state of `ableitung`: every node of one call, released together at its end.
std::vector<knoten> knotenspeicher;

// Past the budget every step returns at once with a stand-in (the number 0, its
// text "0", a failed parse), so the call ends after a bounded amount of work and
// its result is declined.
bool erschoepft() { return ableitungsarbeit > maxableitungsarbeit; }

text ableitungablehnen() {
  ableitungabgelehnt = true;
  return {};
}

int neu(std::uint8_t art) {
  ableitungsarbeit += knotenarbeit;
  knotenspeicher.push_back(knoten{art});
  return static_cast<int>(knotenspeicher.size()) - 1;
}
int neuzahl(double v) {
  const int n = neu(zahl);
  knotenspeicher[n].wert = v;
  return n;
}
int verknuepft(std::uint8_t art, int l, int r) {
  const int n = neu(art);
  knotenspeicher[n].links = l;
  knotenspeicher[n].rechts = r;
  return n;
}
int funktion(std::uint8_t art, int a) {
  const int n = neu(art);
  knotenspeicher[n].argument = a;
  return n;
}

// ---------------------------------------------------------------- differentiation

int kopieren(int n) {
  if (erschoepft()) return neuzahl(0);
  const knoten k = knotenspeicher[n];
  const int c = neu(k.knotenart);
  knotenspeicher[c].wert = k.wert;
  if (k.links != leer) {
    const int l = kopieren(k.links);
    knotenspeicher[c].links = l;
  }
  if (k.rechts != leer) {
    const int r = kopieren(k.rechts);
    knotenspeicher[c].rechts = r;
  }
  if (k.argument != leer) {
    const int a = kopieren(k.argument);
    knotenspeicher[c].argument = a;
  }
  return c;
}

bool istzahl(int n) { return knotenspeicher[n].knotenart == zahl; }

zahlart zahloperanden(int n) {
  const knoten& k = knotenspeicher[n];
  if (k.knotenart < 10) return k.knotenart == zahl ? nur_zahl : keine_zahl;
  if (istoperator(k.knotenart)) {
    const bool l = istzahl(k.links), r = istzahl(k.rechts);
    return l && r ? zahl_beide : l ? zahl_links : r ? zahl_rechts : keine_zahl;
  }
  return istzahl(k.argument) ? zahlargument : keine_zahl;
}

int ableiten(int n);

// Outer derivative G of a function node at its argument.
int aussen(int n, std::uint8_t art, int a) {
  auto u = [&] { return kopieren(a); };
  auto u_quadrat = [&] { return verknuepft(potenz, u(), neuzahl(2)); };
  auto knoten_quadrat = [&] { return verknuepft(potenz, kopieren(n), neuzahl(2)); };
  switch (art) {
    case wurzel: return verknuepft(quotient, neuzahl(1), verknuepft(produkt, neuzahl(2), kopieren(n)));
    case ln: return verknuepft(quotient, neuzahl(1), u());
    case lg: return verknuepft(quotient, neuzahl(1 / std::log(10.0)), u());
    case ld: return verknuepft(quotient, neuzahl(1 / std::log(2.0)), u());
    case exp_: return kopieren(n);
    case log_: return funktion(logfaktor, u());
    case abs_: return funktion(sgn, u());
    case sinus: return funktion(kosinus, u());
    case kosinus: return verknuepft(produkt, neuzahl(-1), funktion(sinus, u()));
    case tangens: return verknuepft(summe, neuzahl(1), knoten_quadrat());
    case kotangens: return verknuepft(differenz, neuzahl(-1), knoten_quadrat());
    case sinh_: return funktion(cosh_, u());
    case cosh_: return funktion(sinh_, u());
    case tanh_:
    case coth_: return verknuepft(differenz, neuzahl(1), knoten_quadrat());
    case arcsin_: return verknuepft(quotient, neuzahl(1), funktion(wurzel, verknuepft(differenz, neuzahl(1), u_quadrat())));
    case arccos_: return verknuepft(quotient, neuzahl(-1), funktion(wurzel, verknuepft(differenz, neuzahl(1), u_quadrat())));
    case arctan_: return verknuepft(quotient, neuzahl(1), verknuepft(summe, neuzahl(1), u_quadrat()));
    case arccot_: return verknuepft(quotient, neuzahl(-1), verknuepft(summe, neuzahl(1), u_quadrat()));
    case arsinh_: return verknuepft(quotient, neuzahl(1), funktion(wurzel, verknuepft(summe, neuzahl(1), u_quadrat())));
    case arcosh_: return verknuepft(quotient, neuzahl(1), funktion(wurzel, verknuepft(summe, neuzahl(-1), u_quadrat())));
    default: return verknuepft(quotient, neuzahl(1), verknuepft(differenz, neuzahl(1), u_quadrat()));  // artanh_, arcoth_
  }
}

int operatorableitung(int n, const knoten k) {
  const zahlart art = zahloperanden(n);
  auto u = [&] { return kopieren(k.links); };
  auto v = [&] { return kopieren(k.rechts); };
  auto ul = [&] { return ableiten(k.links); };
  auto vl = [&] { return ableiten(k.rechts); };
  switch (k.knotenart) {
    case summe: return verknuepft(summe, ul(), vl());
    case differenz: return verknuepft(differenz, ul(), vl());
    case produkt:
      if (art == zahl_links) return verknuepft(produkt, u(), vl());
      if (art == zahl_rechts) return verknuepft(produkt, v(), ul());
      if (art == zahl_beide) return neuzahl(0);
      return verknuepft(summe, verknuepft(produkt, ul(), v()), verknuepft(produkt, u(), vl()));
    case quotient:
      if (art == zahl_links)
        return verknuepft(produkt, neuzahl(-knotenspeicher[k.links].wert),
                          verknuepft(quotient, vl(), verknuepft(potenz, v(), neuzahl(2))));
      if (art == zahl_rechts) return verknuepft(quotient, ul(), v());
      if (art == zahl_beide) return neuzahl(0);
      return verknuepft(quotient,
                        verknuepft(differenz, verknuepft(produkt, ul(), v()), verknuepft(produkt, u(), vl())),
                        verknuepft(potenz, v(), neuzahl(2)));
    default:  // potenz
      if (art == zahl_links)
        return verknuepft(produkt, verknuepft(produkt, kopieren(n), funktion(ln, u())), vl());
      if (art == zahl_rechts) {
        const double e = knotenspeicher[k.rechts].wert;
        return verknuepft(produkt, verknuepft(produkt, neuzahl(e), verknuepft(potenz, u(), neuzahl(e - 1))), ul());
      }
      if (art == zahl_beide) return neuzahl(0);
      return verknuepft(produkt, kopieren(n),
                        verknuepft(summe, verknuepft(produkt, vl(), funktion(ln, u())),
                                   verknuepft(produkt, ul(), verknuepft(quotient, v(), u()))));
  }
}

int ableiten(int n) {
  if (erschoepft()) return neuzahl(0);
  const knoten k = knotenspeicher[n];
  if (k.knotenart == variable) return neuzahl(1);
  if (k.knotenart < 10) return neuzahl(0);
  if (istoperator(k.knotenart)) return operatorableitung(n, k);
  if (k.knotenart == sgn || k.knotenart == int_ || k.knotenart == logfaktor) return neuzahl(0);
  const int ua = ableiten(k.argument);
  return verknuepft(produkt, ua, aussen(n, k.knotenart, k.argument));
}

// ---------------------------------------------------------------- printing

// Fixed point with ten decimals, trailing zeros and a trailing point dropped.
// Negative zero and values that round to zero are written "0".
text zahltext(double v) {
  std::array<char, 400> puffer{};
  const auto [ende, fehler] = std::to_chars(puffer.data(), puffer.data() + puffer.size(), v,
                                            std::chars_format::fixed, 10);
  if (fehler != std::errc()) return u"0";
  std::size_t n = static_cast<std::size_t>(ende - puffer.data());
  if (std::string_view(puffer.data(), n).find('.') != std::string_view::npos) {
    while (n >= 2 && puffer[n - 1] == '0') --n;
    if (puffer[n - 1] == '.') --n;
  }
  if (std::string_view(puffer.data(), n) == "-0") return u"0";
  return text(puffer.data(), puffer.data() + n);
}

constexpr std::uint8_t klammertabelle[5][5] = {
    {0, 0, 0, 0, 0}, {2, 2, 0, 0, 0}, {3, 3, 0, 1, 0}, {3, 3, 2, 3, 0}, {3, 3, 3, 3, 3}};

enum seite : std::uint8_t { linke = 1, rechte = 2 };

bool klammernoetig(std::uint8_t kind, std::uint8_t eltern, seite s) {
  if (!istoperator(kind)) return false;
  return (klammertabelle[eltern - summe][kind - summe] & s) != 0;
}

text funktionsname(std::uint8_t art) {
  switch (art) {
    case wurzel: return u"SQRT";
    case ln: return u"LN";
    case lg: return u"LG";
    case exp_: return u"EXP";
    case abs_: return u"ABS";
    case sgn: return u"SGN";
    case int_: return u"INT";
    case ld: return u"LD";
    case logfaktor: return u"1/LN(P)*1/";
    default: break;
  }
  const text b(basisnamen[art % 10]);
  switch (art - art % 10) {
    case hyperbel: return b + u"H";
    case arkus: return u"ARC" + b;
    case area: return u"AR" + b + u"H";
    default: return b;
  }
}

text klammer(const text& s) { return u"(" + s + u")"; }

// Whether one of `zeichen` stands in the text outside every bracket.
bool aussenzeichen(sicht s, sicht zeichen) {
  int tiefe = 0;
  for (const char16_t c : s) {
    if (c == u'(') ++tiefe;
    else if (c == u')') --tiefe;
    else if (tiefe == 0 && zeichen.find(c) != sicht::npos) return true;
  }
  return false;
}

std::pair<text, std::uint8_t> termtext(int n);

std::pair<text, std::uint8_t> termtextinnen(int n) {
  const knoten k = knotenspeicher[n];
  switch (k.knotenart) {
    case zahl: return {zahltext(k.wert), zahl};
    case variable: return {u"X", variable};
    case parameter_p: return {u"P", parameter_p};
    case konstante_y: return {u"Y", konstante_y};
    case parameter_q: return {u"Q", parameter_q};
    case pi: return {u"PI", pi};
    default: break;
  }
  if (k.knotenart == log_) {
    // A LOG carried into a derivative is written as the quotient it stands for, which
    // both the builder and the evaluator read as the same function.
    return {u"LN(" + termtext(k.argument).first + u")/LN(P)", quotient};
  }
  if (istfunktion(k.knotenart))
    return {vereinfachen(funktionsname(k.knotenart) + u"(" + termtext(k.argument).first + u")"), k.knotenart};

  auto [l, kl] = termtext(k.links);
  auto [r, kr] = termtext(k.rechts);
  std::uint8_t art = k.knotenart;
  if (klammernoetig(kl, art, linke)) l = klammer(l);
  if (klammernoetig(kr, art, rechte)) r = klammer(r);
  l = vereinfachen(l);
  r = vereinfachen(r);
  // A signed right operand of "^" is bracketed as well, so that the builder can
  // read its own output again (X^(-0.5), not X^-0.5).
  if ((art == produkt || art == quotient || art == potenz) && !r.empty() && r[0] == u'-') r = klammer(r);
  // A signed base keeps its brackets too, which the simplifier takes off a lone
  // (-SIN(X)): -SIN(X)^2 would square before the sign.
  if (art == potenz && !l.empty() && l[0] == u'-') l = klammer(l);
  if (l == u"-1") l = u"(-1)";
  if (r == u"0") {
    if (art == summe || art == differenz) return {l, art};
    return {art == potenz ? u"1" : u"0", art};
  }
  // The folds write an operand into a new operator: one that would bind looser
  // there gets brackets, or A+A with A = X+1 would read 2*X+1 and B*B with B = 2*X
  // would read 2*X^2.
  // The kind alone does not tell: a sum whose right operand folded away is a bare
  // number text ("2*(1)" would keep its "*1" past every rule that drops it).
  if (art == summe && l == r && l != u"-SIN(X)") {
    l = u"2";
    art = produkt;
    if (aussenzeichen(r, u"+-")) r = klammer(r);
  }
  if (art == differenz && l == r) l = r = u"0";
  if (art == quotient && l == r) l = r = u"1";
  if (art == produkt && l == r && l != u"1") {
    if (kl == produkt) l = klammer(l);
    r = u"2";
    art = potenz;
  }
  if (art == potenz && r == u"1") return {l, art};
  return {l + operatorzeichen[art - summe] + r, art};
}

std::pair<text, std::uint8_t> termtext(int n) {
  if (erschoepft()) return {u"0", zahl};
  auto t = termtextinnen(n);
  ableitungsarbeit += t.first.size();  // printing costs about the length of every text it forms
  return t;
}

void entfernen(text& s, sicht muster) {
  for (std::size_t i = s.find(muster); i != text::npos; i = s.find(muster, i >= 3 ? i - 3 : 0))
    s.erase(i + 1, 2);
}

struct speicherfreigabe {
  ~speicherfreigabe() {
    knotenspeicher.clear();
    if (knotenspeicher.capacity() > 4096) knotenspeicher.shrink_to_fit();
  }
};

// The builder reads a "-" as a sign after "(" and after "+" (anywhere else a sign
// fails its parse), and a sign there belongs to everything up to the next "+" or
// "-". Where the evaluator gives such a sign to the base of a power instead, the
// signed base is bracketed, so that the derivative is that of the curve drawn.
text vorzeichenklammern(const text& t) {
  std::vector<std::pair<std::size_t, char16_t>> einschuebe;
  for (const vorzeichenbasis& v : vorzeichenvorpotenz(t)) {
    if (t[v.zeichen - 1] != u'(' && t[v.zeichen - 1] != u'+') continue;
    einschuebe.emplace_back(v.zeichen, u'(');
    einschuebe.emplace_back(v.basisende, u')');
  }
  if (einschuebe.empty()) return t;
  std::sort(einschuebe.begin(), einschuebe.end());
  text ergebnis;
  ergebnis.reserve(t.size() + einschuebe.size());
  std::size_t bis = 0;
  for (const auto& [stelle, zeichen] : einschuebe) {
    ergebnis.append(t, bis, stelle - bis);
    ergebnis += zeichen;
    bis = stelle;
  }
  ergebnis.append(t, bis);
  return ergebnis;
}

}  // namespace

std::size_t ableitungsarbeit = 0;
bool ableitungabgelehnt = false;

std::u16string ableitung(std::u16string_view term) {
  // Derivative texts grow fast with the term (the second derivative of a 400-character
  // product passes 400 000 characters): the work of the call is counted, and a
  // derivative that would take more work or be longer than its bounds is declined.
  ableitungsarbeit = term.size();
  ableitungabgelehnt = false;
  if (erschoepft()) return ableitungablehnen();
  const speicherfreigabe freigabe;
  text t(term);
  for (auto& c : t)
    if (c == u',') c = u'.';
  // Blanks go while the text is longer than one character: a text of blanks keeps one.
  std::erase(t, u' ');
  if (t.empty() && !term.empty()) t = u" ";
  t = vorzeichenklammern(t);

  text ergebnis;
  zerlegung z{knotenspeicher, ableitungsarbeit, maxableitungsarbeit};
  const int baum = zutief(t) ? leer : zerlegen(z, t);
  if (baum != leer && !z.fehler) ergebnis = vereinfachen(termtext(ableiten(baum)).first);

  for (const sicht folge : {sicht(u"X^1*"), sicht(u"X^1)"), sicht(u"X^1-"), sicht(u"X^1+")})
    entfernen(ergebnis, folge);
  if (ergebnis.size() >= 2 && sicht(ergebnis).substr(ergebnis.size() - 2) == u"^1")
    ergebnis.resize(ergebnis.size() - 2);
  if (erschoepft() || ergebnis.size() > maxableitungslaenge) return ableitungablehnen();
  return ergebnis;
}

