// Built-in simplifier: literal search-and-edit rules on derivative texts.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "uableitung.h"

namespace {

using text = std::u16string;
using sicht = std::u16string_view;
constexpr auto npos = text::npos;

bool beginnt(const text& s, sicht m) { return sicht(s).substr(0, m.size()) == m; }
bool endet(const text& s, sicht m) { return s.size() >= m.size() && sicht(s).substr(s.size() - m.size()) == m; }

// "-1*" right after "^" is a negative exponent, not a factor -1: X^-1*Y must not
// lose its exponent's digit.
bool exponent(const text& s, std::size_t i, sicht muster) {
  return muster == u"-1*" && i > 0 && s[i - 1] == u'^';
}

// The text of one call being simplified, with what the rules keep about it.
struct Arbeitstext : text {
  // Pairs of adjacent characters present in the text, as bits over character
  // classes; a superset, kept up to date by every edit below. A pattern with a pair
  // not in the set cannot occur and its search is skipped: most pieces of builder
  // output lack most of the rules' patterns.
  std::array<std::uint64_t, 16> paare{};
  // Edits made since the start of the current pass.
  int aenderungen = 0;
};

constexpr std::array<std::uint8_t, 128> klassen = [] {
  std::array<std::uint8_t, 128> k{};
  constexpr char16_t eigene[] = u"()+-*/^01XSINCOLAB ";
  for (auto& c : k) c = 31;
  for (std::uint8_t i = 0; eigene[i]; ++i) k[eigene[i]] = i;
  return k;
}();

unsigned klasse(char16_t c) { return c < 128 ? klassen[c] : 31; }

void paar(Arbeitstext& s, char16_t a, char16_t b) {
  const unsigned i = klasse(a) * 32 + klasse(b);
  s.paare[i / 64] |= std::uint64_t{1} << (i % 64);
}
bool hatpaar(const Arbeitstext& s, char16_t a, char16_t b) {
  const unsigned i = klasse(a) * 32 + klasse(b);
  return (s.paare[i / 64] >> (i % 64)) & 1;
}

void merken(Arbeitstext& s) {
  s.paare.fill(0);
  for (std::size_t i = 1; i < s.size(); ++i) paar(s, s[i - 1], s[i]);
}

// Notes the pairs that an edit at [von, bis) of the new text may have formed.
void nahtmerken(Arbeitstext& s, std::size_t von, std::size_t bis) {
  const std::size_t a = von > 0 ? von - 1 : 0;
  const std::size_t e = std::min(s.size(), bis + 1);
  for (std::size_t i = a + 1; i < e; ++i) paar(s, s[i - 1], s[i]);
}

void weg(Arbeitstext& s, std::size_t stelle, std::size_t anzahl) {
  ++s.aenderungen;
  s.erase(stelle, anzahl);
  nahtmerken(s, stelle, stelle);
}
void setze(Arbeitstext& s, std::size_t stelle, std::size_t anzahl, sicht durch) {
  ++s.aenderungen;
  s.replace(stelle, anzahl, durch);
  nahtmerken(s, stelle, stelle + durch.size());
}
void neu(Arbeitstext& s, sicht t) {
  ++s.aenderungen;
  static_cast<text&>(s) = t;
  merken(s);
}

std::size_t suche(const Arbeitstext& s, sicht muster, std::size_t ab = 0) {
  for (std::size_t i = 1; i < muster.size(); ++i)
    if (!hatpaar(s, muster[i - 1], muster[i])) return npos;
  return s.find(muster, ab);
}

std::size_t finde(const Arbeitstext& s, sicht muster, std::size_t ab = 0) {
  for (std::size_t i = suche(s, muster, ab); i != npos; i = suche(s, muster, i + 1))
    if (!exponent(s, i, muster)) return i;
  return npos;
}

// While the text contains the pattern, removes `anzahl` characters at offset
// `versatz` of its first occurrence. The edit leaves the text before the
// occurrence alone, so the next first occurrence cannot start much earlier.
void solange(Arbeitstext& s, sicht muster, std::size_t versatz, std::size_t anzahl) {
  for (std::size_t i = finde(s, muster); i != npos;) {
    weg(s, i + versatz, anzahl);
    const std::size_t stelle = i + versatz;
    i = finde(s, muster, stelle >= muster.size() ? stelle - muster.size() + 1 : 0);
  }
}

// "--" becomes "+": the same bounded restart as above.
void solangeersetzen(Arbeitstext& s, sicht muster, sicht durch) {
  for (std::size_t i = suche(s, muster); i != npos;) {
    setze(s, i, muster.size(), durch);
    i = suche(s, muster, i >= muster.size() ? i - muster.size() + 1 : 0);
  }
}

// Rules 18 to 21: "(" out of the first "/(X)", then ")" out of the first "/X)".
// No "/X)" begins before the last one edited, and no "/(X)" forms before the
// last one found, so both searches go on from there.
void klammerumx(Arbeitstext& s, sicht mitklammer, sicht ohne) {
  std::size_t ab = 0, erstes = 0;
  for (std::size_t i = suche(s, mitklammer); i != npos; i = suche(s, mitklammer, ab)) {
    weg(s, i + 1, 1);
    const std::size_t j = suche(s, ohne, std::min(erstes, i));
    weg(s, j + 2, 1);
    erstes = j;
    ab = i >= 3 ? i - 3 : 0;
  }
}

constexpr std::array<sicht, 7> streichfolgen1{u"+1*", u"(1*", u"-1*", u"(0+", u"X^1)", u"X^1-", u"X^1+"};
constexpr std::array<sicht, 8> streichfolgen2{u"+0)", u"+0+", u"+0-", u"-0)", u"*1)", u"*1*", u"*1+", u"*1-"};

void hauptregeln(Arbeitstext& s) {
  if (s == u"(0)") neu(s, u"0");                                      // 1
  if (s == u"X/X") neu(s, u"1");                                      // 2
  if (s == u"(1-1)") neu(s, u"(0)");                                  // 3
  if (beginnt(s, u"(-1)*")) neu(s, u"-" + s.substr(5));               // 4
  if (std::erase(s, u' ') > 0) {                                  // 5
    ++s.aenderungen;
    merken(s);
  }
  solange(s, u"-)", 0, 1);                                        // 6
  for (const sicht m : streichfolgen1) solange(s, m, 1, 2);       // 7
  for (const sicht m : streichfolgen2) solange(s, m, 0, 2);       // 8
  solange(s, u"(-1*", 2, 2);                                      // 9
  if (beginnt(s, u"0*") || beginnt(s, u"0/")) neu(s, u"0");           // 10, 11
  for (std::size_t i = suche(s, u"(0*"); i != npos; i = suche(s, u"(0*", i >= 2 ? i - 2 : 0)) {  // 12
    std::size_t j = i + 1;
    while (j < s.size() && s[j] != u'+' && s[j] != u'-') ++j;
    weg(s, i + 1, j - i - 1);
  }
  solange(s, u"(+", 1, 1);                                        // 13
  solange(s, u"(0-", 1, 1);                                       // 14
  solange(s, u"+-", 0, 1);                                        // 15
  solange(s, u"++", 0, 1);                                        // 16
  solangeersetzen(s, u"--", u"+");                                // 17
  // Rules 18 to 22 all need "(X)", and 18 to 21 never make one.
  if (suche(s, u"(X)") != npos) {
    klammerumx(s, u"/(X)", u"/X)");                               // 18
    klammerumx(s, u"-(X)", u"-X)");                               // 19
    klammerumx(s, u"+(X)", u"+X)");                               // 20
    klammerumx(s, u"*(X)", u"*X)");                               // 21
    for (std::size_t i = suche(s, u"((X)"); i != npos; i = suche(s, u"((X)", i >= 3 ? i - 3 : 0)) {  // 22
      weg(s, i + 3, 1);
      weg(s, i + 1, 1);
    }
  }
  solange(s, u"*1/", 0, 2);                                       // 23
  solangeersetzen(s, u"()", u"0");                                // 24
  if (beginnt(s, u"+")) weg(s, 0, 1);                            // 25
  if (endet(s, u"+0") || endet(s, u"*1") || endet(s, u"-0")) weg(s, s.size() - 2, 2);  // 26
  if (beginnt(s, u"0+") || beginnt(s, u"1*")) weg(s, 0, 2);      // 27
  else if (beginnt(s, u"0-")) weg(s, 0, 1);
  if (endet(s, u"*")) weg(s, s.size() - 1, 1);                    // 28
  if (s == u"(1/X)*X" || s == u"X/(X)") neu(s, u"1");
  else if (s == u"1-1") neu(s, u"0");
  else if (s == u"(SIN(X))") neu(s, u"SIN(X)");
  else if (s == u"(COS(X))") neu(s, u"COS(X)");
}

bool operandbeginn(const Arbeitstext& s, std::size_t i) {
  return i == 0 || sicht(u"(*+-/^").find(s[i - 1]) != sicht::npos;
}

// A signed bracket before "^" is the base of the power: without its brackets the
// sign would apply to the power ((-SIN(X))^2 is not -SIN(X)^2).
bool basis(const Arbeitstext& s, std::size_t i, sicht muster) {
  return i + muster.size() < s.size() && s[i + muster.size()] == u'^';
}

void aussenklammernweg(Arbeitstext& s, sicht muster) {
  const std::size_t i = suche(s, muster);
  if (i != npos && operandbeginn(s, i)) {
    weg(s, i + muster.size() - 1, 1);
    weg(s, i, 1);
  }
}

void schlussregeln(Arbeitstext& s) {
  for (const sicht m : {sicht(u"^("), sicht(u"+("), sicht(u"-("), sicht(u"*("), sicht(u"/("), sicht(u"(("), }) {  // 29
    const std::size_t i = suche(s, m);
    if (i != npos && i + 3 < s.size() && s[i + 3] == u')') {
      weg(s, i + 3, 1);
      weg(s, i + 1, 1);
    }
  }
  if (s.size() >= 3 && s[0] == u'(' && s[2] == u')') {            // 30
    weg(s, 2, 1);
    weg(s, 0, 1);
  }
  aussenklammernweg(s, u"(COS(X))");                              // 31
  aussenklammernweg(s, u"(SIN(X))");
  constexpr sicht minussinus = u"(-SIN(X))";
  if (std::size_t i = suche(s, minussinus); i != npos && !basis(s, i, minussinus)) {  // 32
    if (i == 0) {
      weg(s, 8, 1);
      weg(s, 0, 1);
    } else if (s[i - 1] == u'+') {
      weg(s, i + 8, 1);
      weg(s, i - 1, 2);
    }
  }
  if (std::size_t i = suche(s, minussinus); i != npos && i > 0 && s[i - 1] == u'-' && !basis(s, i, minussinus)) {  // 33
    weg(s, i + 8, 1);
    weg(s, i, 2);
    s[i - 1] = u'+';
    nahtmerken(s, i - 1, i);
  }
  aussenklammernweg(s, u"(LN(X))");                               // 34
  aussenklammernweg(s, u"(ABS(X))");
  if (std::size_t i = suche(s, u"(+"); i != npos) weg(s, i + 1, 1);  // 35
  if (std::size_t i = suche(s, u"-(X+1))"); i != npos) setze(s, i, 7, u"-X-1)");  // 36
  if (beginnt(s, u"(-COS(X))") && !basis(s, 0, u"(-COS(X))")) {  // 37
    weg(s, 8, 1);
    weg(s, 0, 1);
  }
  if (beginnt(s, u"(-1)") && (s.size() < 5 || s[4] != u'^')) {    // 38
    weg(s, 3, 1);
    weg(s, 0, 1);
  }
  if (beginnt(s, u"((-1)") && (s.size() < 6 || s[5] != u'^')) {   // 39
    weg(s, 4, 1);
    weg(s, 1, 1);
  }
  if (beginnt(s, u"((")) {                                        // 40
    const std::size_t j = s.find_first_of(u"()", 2);
    if (j != npos && s[j] == u')' && j + 1 < s.size() && sicht(u")+-").find(s[j + 1]) != sicht::npos) {
      weg(s, j, 1);
      weg(s, 0, 1);
    }
  }
}

}  // namespace

std::u16string vereinfachen(std::u16string_view eingabe) {
  // Every rule needs a bracket, an operator or a blank: a name or a number stays
  // as it is.
  if (eingabe.find_first_of(u"()+-*/^ ") == sicht::npos) return text(eingabe);
  Arbeitstext s;
  s.assign(eingabe);
  merken(s);
  hauptregeln(s);
  // The rules are a function of the text: a pass that changed nothing would
  // change nothing the second time either.
  if (!s.empty() && s.aenderungen > 0) hauptregeln(s);
  if (!s.empty()) schlussregeln(s);
  return s;
}
