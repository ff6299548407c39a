// The rewrite reads the text as a school book would: tokens first (numbers,
// names split into the known names, brackets, operators), then one routine per
// rule of school notation, writing the term as it goes. It never drops a
// character other than a blank: it only inserts "*" and brackets and replaces
// names and symbols, so what it cannot read stays for lesepruefung to name.

#include "schulschreibweise.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "fktint.h"
#include "funktionstabelle.h"

namespace {

constexpr char16_t e_akut_gross = u'\u00C9';
constexpr char16_t e_akut_klein = u'\u00E9';

// Cyrillic letters that look like a Latin letter of the term language.
constexpr std::pair<char16_t, char16_t> doppelgaenger[] = {
    {u'А', u'A'}, {u'В', u'B'}, {u'Е', u'E'}, {u'К', u'K'}, {u'М', u'M'}, {u'Н', u'H'},
    {u'О', u'O'}, {u'Р', u'P'}, {u'С', u'C'}, {u'Т', u'T'}, {u'Х', u'X'},
    {u'а', u'A'}, {u'в', u'B'}, {u'е', u'E'}, {u'к', u'K'}, {u'м', u'M'}, {u'н', u'H'},
    {u'о', u'O'}, {u'р', u'P'}, {u'с', u'C'}, {u'т', u'T'}, {u'х', u'X'},
};

// Symbols of school notation and what the term language writes for them.
constexpr std::pair<char16_t, std::u16string_view> symbole[] = {
    {u'\u00B7', u"*"}, {u'\u00D7', u"*"}, {u'\u22C5', u"*"}, {u'\u00F7', u"/"}, {u'\u2212', u"-"},
    {u'\u03C0', u"PI"}, {u'\u03A0', u"PI"}, {u'\u221A', u"SQRT"}, {u':', u"/"},
};

// Superscript digits and minus; a run of them is an exponent.
constexpr std::pair<char16_t, char16_t> hochgestellt[] = {
    {u'\u2070', u'0'}, {u'\u00B9', u'1'}, {u'\u00B2', u'2'}, {u'\u00B3', u'3'}, {u'\u2074', u'4'},
    {u'\u2075', u'5'}, {u'\u2076', u'6'}, {u'\u2077', u'7'}, {u'\u2078', u'8'}, {u'\u2079', u'9'},
    {u'\u207B', u'-'},
};

char16_t hochzahl(char16_t c) {
  for (const auto& [hoch, z] : hochgestellt)
    if (c == hoch) return z;
  return 0;
}

bool ziffer(char16_t c) { return c >= u'0' && c <= u'9'; }
bool buchstabe(char16_t c) { return c >= u'A' && c <= u'Z'; }

// Look-alikes, small letters, symbols and superscripts into the characters of the term language.
std::u16string zeichen_abbilden(std::u16string_view t) {
  std::u16string a;
  for (std::size_t i = 0; i < t.size(); ++i) {
    char16_t c = lateinischer_doppelgaenger(t[i]);
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (hochzahl(c)) {
      std::u16string exponent;
      for (; i < t.size() && hochzahl(t[i]); ++i) exponent += hochzahl(t[i]);
      --i;
      a += exponent[0] == u'-' ? u"^(" + exponent + u")" : u"^" + exponent;
      continue;
    }
    const auto s = std::find_if(std::begin(symbole), std::end(symbole), [c](const auto& p) { return p.first == c; });
    if (s != std::end(symbole)) a += s->second;
    else a += c;
  }
  return a;
}

// ---------------------------------------------------------------------------
// Tokens

enum class Art { zahl, name, funktion, op, auf, zu, strich, fremd, ende };

struct Token {
  Art art;
  std::u16string text;  // as written out
};

// The names a run of letters splits into: functions, school names, constants and variables.
std::u16string_view schulname(std::u16string_view name) {
  for (const Funktion& f : funktionen)
    if (!f.schulname.empty() && name == f.schulname) return f.name;
  return {};
}

std::vector<std::u16string> bekannte_namen() {
  std::vector<std::u16string> n = {u"X", u"P", u"Q", u"R", u"PI", u"PHI", u"E"};
  for (const Funktion& f : funktionen) {
    if (f.ausgewertet) n.emplace_back(f.name);
    if (!f.schulname.empty()) n.emplace_back(f.schulname);
  }
  return n;
}

Token namenstoken(std::u16string_view name) {
  if (auto s = schulname(name); !s.empty()) return {Art::funktion, std::u16string(s)};
  if (name == u"E") return {Art::name, std::u16string(1, e_akut_gross)};
  if (name.size() == 1 || name == u"PI" || name == u"PHI") return {Art::name, std::u16string(name)};
  return {Art::funktion, std::u16string(name)};
}

// A run of letters, split from the left into the longest known names; the whole
// run as one foreign token where it does not split.
void buchstaben_zerlegen(std::u16string_view lauf, bool klammer_folgt, std::vector<Token>& tokens) {
  if (klammer_folgt && lauf != u"E" && (ausgewertete_funktion(lauf) || !schulname(lauf).empty())) {
    tokens.push_back(namenstoken(lauf));
    return;
  }
  static const std::vector<std::u16string> namen = bekannte_namen();
  std::vector<Token> teile;
  for (std::size_t i = 0; i < lauf.size();) {
    std::size_t laenge = 0;
    for (const auto& n : namen)
      if (n.size() > laenge && lauf.substr(i, n.size()) == n) laenge = n.size();
    if (laenge == 0) {
      tokens.push_back({Art::fremd, std::u16string(lauf)});
      return;
    }
    teile.push_back(namenstoken(lauf.substr(i, laenge)));
    i += laenge;
  }
  tokens.insert(tokens.end(), teile.begin(), teile.end());
}

std::vector<Token> zerlegen(std::u16string_view t) {
  std::vector<Token> tokens;
  for (std::size_t i = 0; i < t.size();) {
    const char16_t c = t[i];
    if (c == u' ') {
      ++i;
    } else if (ziffer(c) || c == u'.' || c == u',') {
      // Blanks inside a number are read away, as the evaluator does: 1 000 is 1000.
      std::u16string zahl;
      for (; i < t.size(); ++i) {
        const char16_t z = t[i];
        if (ziffer(z) || z == u'.' || z == u',' || z == e_akut_klein) zahl += z;
        else if (z != u' ' || i + 1 >= t.size() || !(ziffer(t[i + 1]) || t[i + 1] == u' ')) break;
      }
      tokens.push_back({Art::zahl, zahl});
    } else if (buchstabe(c)) {
      const std::size_t a = i;
      while (i < t.size() && buchstabe(t[i])) ++i;
      std::size_t j = i;
      while (j < t.size() && t[j] == u' ') ++j;
      // 1E5 may mean a power of ten: an E between digits is not taken for e.
      if (t.substr(a, i - a) == u"E" && a > 0 && ziffer(t[a - 1]) && i < t.size() && ziffer(t[i]))
        tokens.push_back({Art::fremd, u"E"});
      else
        buchstaben_zerlegen(t.substr(a, i - a), j < t.size() && t[j] == u'(', tokens);
    } else {
      Art art = Art::fremd;
      if (c == e_akut_gross) art = Art::name;
      else if (c == u'(' || c == u'[') art = Art::auf;
      else if (c == u')' || c == u']') art = Art::zu;
      else if (c == u'|') art = Art::strich;
      else if (std::u16string_view(u"+-*/^").find(c) != std::u16string_view::npos) art = Art::op;
      tokens.push_back({art, std::u16string(1, c)});
      ++i;
    }
  }
  tokens.push_back({Art::ende, u""});
  return tokens;
}

// ---------------------------------------------------------------------------
// The school reading

// The state of one rewrite: the tokens, the reading position, the open brackets and the output.
struct Schreiben {
  std::vector<Token> tokens;
  std::size_t pos = 0;
  std::u16string aus;
  std::vector<Art> offen;  // kinds of the open brackets: auf or strich
  int tiefe = 0;           // nested operands being read

  const Token& tok() const { return tokens[pos]; }
  bool ist(Art a, char16_t c = 0) const { return tok().art == a && (c == 0 || tok().text[0] == c); }
  std::size_t fremd_ende = std::u16string::npos;  // where the output ends after a foreign token
  void uebernehmen() {
    aus += tokens[pos].text;
    if (tokens[pos++].art == Art::fremd) fremd_ende = aus.size();
  }
  // Nothing is put between a foreign token and what follows it (1E5 stays as it is).
  bool nach_fremdem() const { return aus.size() == fremd_ende; }
  // A bar where an operator is due closes the innermost bracket if that is a bar.
  bool strich_schliesst() const { return !offen.empty() && offen.back() == Art::strich; }
  bool operand_beginnt(bool funktion_erlaubt) const {
    switch (tok().art) {
      case Art::zahl: case Art::name: case Art::auf: return true;
      case Art::funktion: return funktion_erlaubt;
      case Art::strich: return !strich_schliesst();
      default: return false;
    }
  }
};

void summe(Schreiben& s);
void potenz(Schreiben& s);
void grund(Schreiben& s);
void grund_lesen(Schreiben& s);

// Brackets and functions nested deeper than this are beyond the evaluator's reading.
constexpr int grenztiefe = 4000;

// A bracket from its opening token to its closing one, or to the end; bars become ABS( ).
void klammer(Schreiben& s) {
  const bool strich = s.ist(Art::strich);
  s.offen.push_back(strich ? Art::strich : Art::auf);
  const char16_t auf = s.tok().text[0];
  if (strich) {
    s.aus += u"ABS(";
    ++s.pos;
  } else {
    s.uebernehmen();
  }
  summe(s);
  s.offen.pop_back();
  if (s.ist(Art::zu) || s.ist(Art::strich)) {
    s.aus += strich || s.ist(Art::strich) ? u")" : s.tok().text;
    ++s.pos;
  } else if (s.ist(Art::ende)) {
    s.aus += auf == u'[' ? u"]" : u")";
  }
}

// A function's argument without brackets: an optional sign, then powers joined
// by implicit products, up to the next explicit operator or function name.
void argument(Schreiben& s) {
  const std::size_t vorher = s.aus.size();
  s.aus += u'(';
  if (s.ist(Art::op, u'-')) s.uebernehmen();
  if (s.operand_beginnt(true)) {
    potenz(s);
    while (s.operand_beginnt(false)) {
      s.aus += u'*';
      potenz(s);
    }
  }
  if (s.aus.size() == vorher + 1) s.aus.resize(vorher);  // nothing to work on: left to the check
  else s.aus += u')';
}

// A function with its argument in brackets, without them, or with a power
// between name and argument (SIN^2 X is SIN(X)^2).
void anwendung(Schreiben& s) {
  s.uebernehmen();
  std::u16string exponent;
  if (s.ist(Art::op, u'^') && s.tokens[s.pos + 1].art == Art::zahl) {
    exponent = u"^" + s.tokens[s.pos + 1].text;
    s.pos += 2;
  }
  if (s.ist(Art::auf, u'(')) klammer(s);
  else argument(s);
  s.aus += exponent;
}

// grund: a number, a name, a bracket, a function applied, or what cannot be read.
// Nested deeper than the evaluator reads, the rest stays as written.
void grund(Schreiben& s) {
  if (s.tiefe >= grenztiefe) {
    while (!s.ist(Art::ende)) s.uebernehmen();
    return;
  }
  ++s.tiefe;
  grund_lesen(s);
  --s.tiefe;
}

void grund_lesen(Schreiben& s) {
  switch (s.tok().art) {
    case Art::zahl: case Art::name: case Art::fremd: s.uebernehmen(); break;
    case Art::auf: klammer(s); break;
    case Art::strich: klammer(s); break;  // where an operand is due, a bar opens
    case Art::funktion: anwendung(s); break;
    default: break;  // an operator or a closing bracket where an operand is due
  }
}

// potenz: a base and its exponents; a signed exponent is put in brackets.
void potenz(Schreiben& s) {
  grund(s);
  while (s.ist(Art::op, u'^')) {
    s.uebernehmen();
    if (s.ist(Art::op, u'-')) {
      s.aus += u"(-";
      ++s.pos;
      grund(s);
      s.aus += u')';
    } else {
      grund(s);
    }
  }
}

// faktor: an optional sign and a power.
void faktor(Schreiben& s) {
  if (s.ist(Art::op, u'-') || s.ist(Art::op, u'+')) s.uebernehmen();
  potenz(s);
}

// glied: factors joined by "*", "/" or written side by side.
void glied(Schreiben& s) {
  faktor(s);
  for (;;) {
    if (s.ist(Art::op, u'*') || s.ist(Art::op, u'/')) {
      s.uebernehmen();
      faktor(s);
    } else if (s.operand_beginnt(true)) {
      if (!s.nach_fremdem()) s.aus += u'*';
      faktor(s);
    } else if (s.ist(Art::fremd)) {
      s.uebernehmen();
    } else {
      return;
    }
  }
}

// summe: terms joined by "+" and "-".
void summe(Schreiben& s) {
  glied(s);
  while (s.ist(Art::op, u'+') || s.ist(Art::op, u'-')) {
    s.uebernehmen();
    glied(s);
  }
}

std::u16string schulisch_lesen(std::u16string_view t) {
  Schreiben s;
  s.tokens = zerlegen(t);
  while (!s.ist(Art::ende)) {
    summe(s);
    if (!s.ist(Art::ende)) s.uebernehmen();  // what no rule reads stays as written
  }
  return s.aus;
}

// The rewrite of a text that already reads must mean the same: same values and statuses.
bool gleichbedeutend(std::u16string_view a, std::u16string_view b) {
  const std::uint8_t status = fehlercode;
  bool gleich = true;
  for (double x : {-2.7, -0.4, 0.3, 1.9, 5.1}) {
    const double va = fktwert(a, x);
    const int sa = fehlercode;
    const double vb = fktwert(b, x);
    gleich = gleich && sa == fehlercode && (va == vb || (std::isnan(va) && std::isnan(vb)));
  }
  fehlercode = status;
  return gleich;
}

bool nur_blanks(std::u16string_view t) { return t.find_first_not_of(u' ') == std::u16string_view::npos; }

}  // namespace

char16_t lateinischer_doppelgaenger(char16_t c) {
  for (const auto& [kyrillisch, latein] : doppelgaenger)
    if (c == kyrillisch) return latein;
  return c;
}

std::u16string schulschreibweise(std::u16string_view eingabe) {
  const std::u16string a = zeichen_abbilden(eingabe);
  if (!lesepruefung(a).gelesen()) return schulisch_lesen(a);
  // A text that reads keeps its form, but for what the derivative builder does not read.
  std::u16string ohne_blanks;
  for (char16_t c : a)
    if (c != u' ') ohne_blanks += c;
  if (ohne_blanks.find(u'|') == std::u16string::npos && ohne_blanks.find(u"^-") == std::u16string::npos) return a;
  // Read as the evaluator reads it: without blanks (a blank joins digits into one number).
  std::u16string r = schulisch_lesen(ohne_blanks);
  return lesepruefung(r).gelesen() && gleichbedeutend(a, r) ? r : a;
}

namespace {

std::u16string zahl_text(std::size_t n) {
  std::u16string s;
  do {
    s.insert(s.begin(), static_cast<char16_t>(u'0' + n % 10));
    n /= 10;
  } while (n > 0);
  return s;
}

std::u16string in_zeichen(std::u16string_view w) {
  std::u16string s(1, u'«');
  s.append(w);
  s.push_back(u'»');
  return s;
}

// A piece of the term short enough for a message: the operand before a missing
// operator may be a whole bracket of a long term.
std::u16string kurz(std::u16string_view w, bool ende) {
  constexpr std::size_t hoechstens = 16;
  if (w.size() <= hoechstens) return std::u16string(w);
  return ende ? u"…" + std::u16string(w.substr(w.size() - hoechstens)) : std::u16string(w.substr(0, hoechstens)) + u"…";
}

// 1E5 where an operator is due: a power of ten written as on a calculator.
bool zehnerpotenz(const Lesebefund& b) {
  const auto ziffern = [](std::u16string_view t) {
    return !t.empty() && std::all_of(t.begin(), t.end(), [](char16_t c) { return ziffer(c) || c == u'.'; });
  };
  return b.wort.size() > 1 && b.wort[0] == u'E' && ziffern(std::u16string_view(b.wort).substr(1)) && ziffern(b.davor);
}

// The reason in words, with the likely fix where there is one.
std::u16string grund_text(std::u16string_view text, Lesebefund b) {
  b.davor = kurz(b.davor, true);
  b.wort = kurz(b.wort, false);
  switch (b.fehler) {
    case Lesefehler::unbekannter_name:
      return u"неизвестное имя " + in_zeichen(b.wort) + u" — имена функций и констант см. в справке (F1)";
    case Lesefehler::operator_fehlt:
      if (zehnerpotenz(b)) {
        return u"у числа не бывает показателя через E — возможно, " + b.davor + u"*10^" + b.wort.substr(1) + u"?";
      }
      return u"между " + b.davor + u" и " + b.wort + u" нет знака операции — возможно, " + b.davor + u"*" + b.wort +
             u"?";
    case Lesefehler::klammer_offen:
      return u"скобка не закрыта — возможно, не хватает " + in_zeichen(u")") + u" в конце?";
    case Lesefehler::klammer_zu_viel:
      return u"лишняя закрывающая скобка " + in_zeichen(b.wort) + u" — возможно, не хватает открывающей?";
    case Lesefehler::operand_fehlt:
      if (b.stelle >= text.size() || b.wort.empty()) return u"запись обрывается: не хватает числа, X или скобки";
      return u"после " + in_zeichen(b.wort) + u" не хватает числа, X или скобки";
    case Lesefehler::zeichen_ohne_bedeutung:
      return u"знак " + in_zeichen(b.wort) + u" не имеет значения в записи функции";
    case Lesefehler::zu_tief:
      return u"скобки вложены слишком глубоко";
    case Lesefehler::keiner:
      break;
  }
  return {};
}

}  // namespace

std::u16string lesemeldung(std::u16string_view feld, std::u16string_view text, const Lesebefund& befund) {
  const std::u16string stelle =
      befund.stelle >= text.size() ? u"конец записи" : u"знак " + zahl_text(befund.stelle + 1);
  return std::u16string(feld) + u", " + stelle + u": " + grund_text(text, befund);
}

Uebernahme termuebernehmen(std::u16string_view feld, std::u16string_view text) {
  Uebernahme u;
  u.term = text;
  if (nur_blanks(text)) return u;
  u.term = schulschreibweise(text);
  // Look-alike letters and capitals alone change nothing a reader sees: not worth a word.
  std::u16string gleich_aussehend(text);
  for (char16_t& c : gleich_aussehend) {
    c = lateinischer_doppelgaenger(c);
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  if (u.term != gleich_aussehend) u.hinweis = std::u16string(feld) + u": " + std::u16string(text) + u" записано как " + u.term;
  u.befund = lesepruefung(u.term);
  u.lesbar = u.befund.gelesen();
  if (!u.lesbar) u.meldung = lesemeldung(feld, u.term, u.befund);
  return u;
}
