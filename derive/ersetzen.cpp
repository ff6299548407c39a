// Rewrite table: the pairs of `ersetzungsliste` applied to derivative texts.
//
// The semantics are those of the plain loop: two passes over the pairs in table
// order; for each pair, while the text contains its pattern, the first occurrence
// is replaced and the search starts again. To avoid 910 text searches per call, a
// multi-pattern automaton counts the occurrences of every pattern once, and each
// replacement only recounts the few characters around the edit. A pair is then
// worked on only where its count says the plain loop would find it.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "uableitung.h"

std::vector<std::u16string> ersetzungsliste;

namespace {

using text = std::u16string;
using sicht = std::u16string_view;

const std::u16string_view tabelle[] = {
#include "ersetzungstabelle.inc"
};

// More replacements of one pair in one pass than any derivative needs; an odd
// text whose pair keeps finding new matches stops here.
constexpr int maxersetzungen = 1000;

struct automat {
  std::vector<text> liste;              // the list the automaton was built for
  std::vector<std::uint16_t> klasse = std::vector<std::uint16_t>(65536, 0);  // character -> class; 0: in no pattern
  int klassen = 1;
  std::vector<std::int32_t> uebergang;  // state * klassen + class -> state
  std::vector<std::int32_t> ausgabelink;  // next state along the failure chain with matches
  std::vector<std::int32_t> ende_anfang, ende_anzahl;  // patterns ending in a state
  std::vector<std::int32_t> enden;      // pair numbers (0-based)
  std::vector<std::int32_t> laenge;     // pattern length per pair
  int maxlaenge = 0;
};

automat netz;

int klassevon(const automat& a, char16_t c) { return a.klasse[c]; }

void bauen(automat& a) {
  a = automat{};
  a.liste = ersetzungsliste;
  const std::size_t paare = a.liste.size() / 2;
  for (std::size_t p = 0; p < paare; ++p)
    for (const char16_t c : a.liste[2 * p])
      if (a.klasse[c] == 0) a.klasse[c] = static_cast<std::uint16_t>(a.klassen++);
  const int k = a.klassen;

  // Trie first; -1 marks a missing edge until the failure links fill it.
  std::vector<std::vector<std::int32_t>> endenje(1);
  a.uebergang.assign(k, -1);
  a.laenge.assign(paare, 0);
  for (std::size_t p = 0; p < paare; ++p) {
    const text& m = a.liste[2 * p];
    a.laenge[p] = static_cast<std::int32_t>(m.size());
    if (m.empty()) continue;  // an empty pattern never counts as found
    a.maxlaenge = std::max(a.maxlaenge, static_cast<int>(m.size()));
    int z = 0;
    for (const char16_t c : m) {
      std::int32_t& weiter = a.uebergang[z * k + klassevon(a, c)];
      if (weiter < 0) {
        weiter = static_cast<std::int32_t>(endenje.size());
        endenje.emplace_back();
        a.uebergang.resize(a.uebergang.size() + k, -1);
      }
      z = a.uebergang[z * k + klassevon(a, c)];
    }
    endenje[z].push_back(static_cast<std::int32_t>(p));
  }
  const std::size_t zustaende = endenje.size();

  std::vector<std::int32_t> fehler(zustaende, 0);
  a.ausgabelink.assign(zustaende, -1);
  std::vector<std::int32_t> reihe;
  for (int c = 0; c < k; ++c) {
    std::int32_t& z = a.uebergang[c];
    if (z < 0) z = 0;
    else reihe.push_back(z);
  }
  for (std::size_t i = 0; i < reihe.size(); ++i) {
    const std::int32_t z = reihe[i];
    const std::int32_t f = fehler[z];
    a.ausgabelink[z] = endenje[f].empty() ? a.ausgabelink[f] : f;
    for (int c = 0; c < k; ++c) {
      std::int32_t& weiter = a.uebergang[z * k + c];
      if (weiter < 0) {
        weiter = a.uebergang[f * k + c];
      } else {
        fehler[weiter] = a.uebergang[f * k + c];
        reihe.push_back(weiter);
      }
    }
  }
  for (std::size_t z = 0; z < zustaende; ++z) {
    a.ende_anfang.push_back(static_cast<std::int32_t>(a.enden.size()));
    a.ende_anzahl.push_back(static_cast<std::int32_t>(endenje[z].size()));
    a.enden.insert(a.enden.end(), endenje[z].begin(), endenje[z].end());
  }
}

// Adds `vorzeichen` to the count of every occurrence that starts at `von` or later,
// ends at `bis` or earlier and overlaps [unten, oben) (or, for an empty range,
// spans its position).
void zaehlen(const automat& a, sicht s, std::size_t von, std::size_t bis, std::size_t unten, std::size_t oben,
             int vorzeichen, std::vector<int>& zaehler) {
  std::int32_t z = 0;
  for (std::size_t i = von; i < bis; ++i) {
    z = a.uebergang[z * a.klassen + klassevon(a, s[i])];
    for (std::int32_t t = a.ende_anzahl[z] ? z : a.ausgabelink[z]; t > 0; t = a.ausgabelink[t]) {
      for (std::int32_t e = 0; e < a.ende_anzahl[t]; ++e) {
        const std::int32_t p = a.enden[a.ende_anfang[t] + e];
        const std::size_t anfang = i + 1 - a.laenge[p];
        if (anfang < oben && i + 1 > unten) zaehler[p] += vorzeichen;
      }
    }
  }
}

void umzaehlen(const automat& a, sicht s, std::size_t stelle, std::size_t laenge, int vorzeichen,
               std::vector<int>& zaehler) {
  const std::size_t rand = static_cast<std::size_t>(std::max(a.maxlaenge, 1)) - 1;
  const std::size_t von = stelle > rand ? stelle - rand : 0;
  const std::size_t bis = std::min(s.size(), stelle + laenge + rand);
  zaehlen(a, s, von, bis, stelle, stelle + laenge, vorzeichen, zaehler);
}

// Rebuilt whenever the list differs from the one the automaton was made for.
// Compared bytewise: the character-by-character comparison of 910 texts would
// cost more than a whole rewrite.
bool gleicheliste(const automat& a) {
  if (a.liste.size() != ersetzungsliste.size()) return false;
  for (std::size_t i = 0; i < a.liste.size(); ++i) {
    const text& x = a.liste[i];
    const text& y = ersetzungsliste[i];
    if (x.size() != y.size() || std::memcmp(x.data(), y.data(), x.size() * sizeof(char16_t)) != 0) return false;
  }
  return true;
}

const automat& aktuellesnetz() {
  if (!gleicheliste(netz)) bauen(netz);
  return netz;
}

// Pairs whose text turns a right derivative into a wrong one, with their mended
// text: the same intent, written correctly.
struct korrektur {
  int eintrag;  // 0-based position in the list
  sicht alt;
  sicht neu;
};
constexpr korrektur korrekturen[] = {
    // -(X^2-2*X-1)*(2*X-2) expands to -2*X^3+6*X^2-2*X-2 (second derivative of (X^2+1)/(X-1)).
    {2 * 119 + 1, u"-2*X^3-2*X^2-2*X-2)", u"-2*X^3+6*X^2-2*X-2)"},
    // The next step of that chain matched only the wrong expansion; it collects the
    // right one instead, as the pairs for -(X^2-2*X-2)*(2*X-2) do.
    {2 * 121, u"(2*X^3-6*X^2+6*X-2-2*X^3-", u"(2*X^3-6*X^2+6*X-2-2*X^3+6*X^2-2*X-2)"},
    {2 * 121 + 1, u"(-6*X^2+6*X-2-", u"(4*X-4)"},
    // The expanded product lost its brackets wherever it was a factor of a longer
    // product ((-3*X^2+2*X-1)*(X^2+X+1)*X); it now expands only where it opens a
    // bracket and ends before a minus, as in the quotient rule it was made for.
    {2 * 113, u"(-3*X^2+2*X-1)*(X^2+X+1)", u"((-3*X^2+2*X-1)*(X^2+X+1)-"},
    {2 * 113 + 1, u"-3*X^4-X^3-2*X^2+X-1", u"(-3*X^4-X^3-2*X^2+X-1-"},
    // (2*X^3+6*X^2-8)/(X+2)^2 is 2*X-2 as a whole derivative, not as the factor of a
    // product (2*X*(2*X^3+6*X^2-8)/(X+2)^2 became 2*X*2*X-2).
    {2 * 251, u"(2*X^3+6*X^2-8)/(X+2)^2", u"<(2*X^3+6*X^2-8)/(X+2)^2>"},
    {2 * 251 + 1, u"2*X-2", u"<2*X-2>"},
    // 108*X+216*X collects to +324*X; the next pair's whole text then reads the right sum.
    {2 * 262 + 1, u"(12*X^3+108*X^2-108*X+324)", u"(12*X^3+108*X^2+324*X+324)"},
    {2 * 263, u"<(12*X^3+108*X^2-108*X+324)/(X^2-9)^3>", u"<(12*X^3+108*X^2+324*X+324)/(X^2-9)^3>"},
};

}  // namespace

void ersetzungslisteladen() {
  ersetzungsliste.assign(std::begin(tabelle), std::end(tabelle));
  for (const korrektur& k : korrekturen)
    if (ersetzungsliste[k.eintrag] == k.alt) ersetzungsliste[k.eintrag] = k.neu;
}

std::u16string ersetzen(std::u16string_view eingabe) {
  if (eingabe.size() <= 1 || ersetzungsliste.size() < 2) return text(eingabe);  // nothing to rewrite with
  const automat& a = aktuellesnetz();
  text s = u"<" + text(eingabe) + u">";
  std::vector<int> zaehler(a.laenge.size(), 0);
  zaehlen(a, s, 0, s.size(), 0, s.size(), 1, zaehler);

  for (int durchgang = 0; durchgang < 2; ++durchgang) {
    for (std::size_t p = 0; p < zaehler.size(); ++p) {
      const text& muster = a.liste[2 * p];
      const text& ersatz = a.liste[2 * p + 1];
      std::size_t ab = 0;
      for (int n = 0; zaehler[p] > 0 && n < maxersetzungen; ++n) {
        const std::size_t stelle = s.find(muster, ab);
        if (stelle == text::npos) break;
        umzaehlen(a, s, stelle, muster.size(), -1, zaehler);
        s.replace(stelle, muster.size(), ersatz);
        umzaehlen(a, s, stelle, ersatz.size(), 1, zaehler);
        // Everything before the edit is unchanged, so the next occurrence can begin
        // at most one pattern length before it.
        ab = stelle + 1 > muster.size() ? stelle + 1 - muster.size() : 0;
      }
    }
  }
  return s.size() >= 2 ? s.substr(1, s.size() - 2) : text();
}

namespace {

bool buchstabe(char16_t c) { return (c >= u'A' && c <= u'Z') || c == u'\u00C9'; }
bool zahlzeichen(char16_t c) { return (c >= u'0' && c <= u'9') || c == u'.'; }

// End of the operand that begins at `i`: a bracket, a number, or a name with its
// bracketed argument.
std::size_t operandende(sicht s, std::size_t i) {
  if (i >= s.size()) return i;
  if (s[i] == u'(') {
    int tiefe = 0;
    for (; i < s.size(); ++i) {
      if (s[i] == u'(') ++tiefe;
      else if (s[i] == u')' && --tiefe == 0) return i + 1;
    }
    return i;
  }
  if (zahlzeichen(s[i])) {
    while (i < s.size() && zahlzeichen(s[i])) ++i;
    return i;
  }
  if (!buchstabe(s[i])) return i;
  while (i < s.size() && buchstabe(s[i])) ++i;
  return i < s.size() && s[i] == u'(' ? operandende(s, i) : i;
}

std::size_t potenzende(sicht s, std::size_t i) {
  i = operandende(s, i);
  while (i + 1 < s.size() && s[i] == u'^') {
    i = s[i + 1] == u'-' ? i + 2 : i + 1;
    i = operandende(s, i);
  }
  return i;
}

// Signs written for the evaluator, which reads a sign only as part of the operand
// after it. A "+" there is not readable at all ("(+2*X" from a pair such as
// "-(-2*X)*" to "+2*X*"); it is dropped. A "-" binds tighter than "^" there:
// "(-A^2" is (-A)^2 to the evaluator, while the builder and every reader of the
// text mean -(A^2); such a sign is written as a subtraction from 0 instead
// ("(0-A^2"; after an operator "*(0-A^2)"). At the very start of a text and in
// "(-X^" the evaluator inserts the 0 itself.
bool zeichennachoperator(sicht s, std::size_t i) { return i > 0 && sicht(u"(+-*/^").find(s[i - 1]) != sicht::npos; }

text lesbar(text s) {
  for (std::size_t i = 1; i < s.size(); ++i) {
    if (s[i] == u'+' && zeichennachoperator(s, i)) {
      s.erase(i--, 1);
      continue;
    }
    if (s[i] != u'-' || !zeichennachoperator(s, i)) continue;
    const std::size_t e = operandende(s, i + 1);
    if (e == i + 1 || e >= s.size() || s[e] != u'^') continue;
    if (s[i - 1] == u'(') {
      if (e == i + 2 && s[i + 1] == u'X') continue;
      s.insert(i, 1, u'0');
      ++i;
    } else {
      s.insert(potenzende(s, i + 1), 1, u')');
      s.insert(i, u"(0");
      i += 2;
    }
  }
  return s;
}

}  // namespace

std::u16string ableitungsterm(std::u16string_view term) {
  text d = lesbar(ersetzen(ableitung(term)));
  if (d.size() <= maxableitungslaenge) return d;
  ableitungabgelehnt = true;
  return {};
}
