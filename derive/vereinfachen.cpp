// Built-in simplifier: literal search-and-edit rules on derivative texts.
#include <algorithm>
#include <array>
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

std::size_t finde(const text& s, sicht muster, std::size_t ab = 0) {
  for (std::size_t i = s.find(muster, ab); i != npos; i = s.find(muster, i + 1))
    if (!exponent(s, i, muster)) return i;
  return npos;
}

// While the text contains the pattern, removes `anzahl` characters at offset
// `versatz` of its first occurrence. The edit leaves the text before the
// occurrence alone, so the next first occurrence cannot start much earlier.
void solange(text& s, sicht muster, std::size_t versatz, std::size_t anzahl) {
  for (std::size_t i = finde(s, muster); i != npos;) {
    s.erase(i + versatz, anzahl);
    const std::size_t stelle = i + versatz;
    i = finde(s, muster, stelle >= muster.size() ? stelle - muster.size() + 1 : 0);
  }
}

// "--" becomes "+": the same bounded restart as above.
void solangeersetzen(text& s, sicht muster, sicht durch) {
  for (std::size_t i = s.find(muster); i != npos;) {
    s.replace(i, muster.size(), durch);
    i = s.find(muster, i >= muster.size() ? i - muster.size() + 1 : 0);
  }
}

// Rules 18 to 21: "(" out of the first "/(X)", then ")" out of the first "/X)".
// No "/X)" begins before the last one edited, and no "/(X)" forms before the
// last one found, so both searches go on from there.
void klammerumx(text& s, sicht mitklammer, sicht ohne) {
  std::size_t ab = 0, erstes = 0;
  for (std::size_t i = s.find(mitklammer); i != npos; i = s.find(mitklammer, ab)) {
    s.erase(i + 1, 1);
    const std::size_t j = s.find(ohne, std::min(erstes, i));
    s.erase(j + 2, 1);
    erstes = j;
    ab = i >= 3 ? i - 3 : 0;
  }
}

constexpr std::array<sicht, 7> streichfolgen1{u"+1*", u"(1*", u"-1*", u"(0+", u"X^1)", u"X^1-", u"X^1+"};
constexpr std::array<sicht, 8> streichfolgen2{u"+0)", u"+0+", u"+0-", u"-0)", u"*1)", u"*1*", u"*1+", u"*1-"};

void hauptregeln(text& s) {
  if (s == u"(0)") s = u"0";                                      // 1
  if (s == u"X/X") s = u"1";                                      // 2
  if (s == u"(1-1)") s = u"(0)";                                  // 3
  if (beginnt(s, u"(-1)*")) s = u"-" + s.substr(5);               // 4
  std::erase(s, u' ');                                            // 5
  solange(s, u"-)", 0, 1);                                        // 6
  for (const sicht m : streichfolgen1) solange(s, m, 1, 2);       // 7
  for (const sicht m : streichfolgen2) solange(s, m, 0, 2);       // 8
  solange(s, u"(-1*", 2, 2);                                      // 9
  if (beginnt(s, u"0*") || beginnt(s, u"0/")) s = u"0";           // 10, 11
  for (std::size_t i = s.find(u"(0*"); i != npos; i = s.find(u"(0*", i >= 2 ? i - 2 : 0)) {  // 12
    std::size_t j = i + 1;
    while (j < s.size() && s[j] != u'+' && s[j] != u'-') ++j;
    s.erase(i + 1, j - i - 1);
  }
  solange(s, u"(+", 1, 1);                                        // 13
  solange(s, u"(0-", 1, 1);                                       // 14
  solange(s, u"+-", 0, 1);                                        // 15
  solange(s, u"++", 0, 1);                                        // 16
  solangeersetzen(s, u"--", u"+");                                // 17
  klammerumx(s, u"/(X)", u"/X)");                                 // 18
  klammerumx(s, u"-(X)", u"-X)");                                 // 19
  klammerumx(s, u"+(X)", u"+X)");                                 // 20
  klammerumx(s, u"*(X)", u"*X)");                                 // 21
  for (std::size_t i = s.find(u"((X)"); i != npos; i = s.find(u"((X)", i >= 3 ? i - 3 : 0)) {  // 22
    s.erase(i + 3, 1);
    s.erase(i + 1, 1);
  }
  solange(s, u"*1/", 0, 2);                                       // 23
  solangeersetzen(s, u"()", u"0");                                // 24
  if (beginnt(s, u"+")) s.erase(0, 1);                            // 25
  if (endet(s, u"+0") || endet(s, u"*1") || endet(s, u"-0")) s.resize(s.size() - 2);  // 26
  if (beginnt(s, u"0+") || beginnt(s, u"1*")) s.erase(0, 2);      // 27
  else if (beginnt(s, u"0-")) s.erase(0, 1);
  if (endet(s, u"*")) s.pop_back();                               // 28
  if (s == u"(1/X)*X" || s == u"X/(X)") s = u"1";
  else if (s == u"1-1") s = u"0";
  else if (s == u"(SIN(X))") s = u"SIN(X)";
  else if (s == u"(COS(X))") s = u"COS(X)";
}

bool vorzeichenstelle(const text& s, std::size_t i) {
  return i == 0 || sicht(u"(*+-/^").find(s[i - 1]) != sicht::npos;
}

void aussenklammernweg(text& s, sicht muster) {
  const std::size_t i = s.find(muster);
  if (i != npos && vorzeichenstelle(s, i)) {
    s.erase(i + muster.size() - 1, 1);
    s.erase(i, 1);
  }
}

void schlussregeln(text& s) {
  for (const sicht m : {sicht(u"^("), sicht(u"+("), sicht(u"-("), sicht(u"*("), sicht(u"/("), sicht(u"(("), }) {  // 29
    const std::size_t i = s.find(m);
    if (i != npos && i + 3 < s.size() && s[i + 3] == u')') {
      s.erase(i + 3, 1);
      s.erase(i + 1, 1);
    }
  }
  if (s.size() >= 3 && s[0] == u'(' && s[2] == u')') {            // 30
    s.erase(2, 1);
    s.erase(0, 1);
  }
  aussenklammernweg(s, u"(COS(X))");                              // 31
  aussenklammernweg(s, u"(SIN(X))");
  constexpr sicht minussinus = u"(-SIN(X))";
  if (std::size_t i = s.find(minussinus); i != npos) {            // 32
    if (i == 0) {
      s.erase(8, 1);
      s.erase(0, 1);
    } else if (s[i - 1] == u'+') {
      s.erase(i + 8, 1);
      s.erase(i - 1, 2);
    }
  }
  if (std::size_t i = s.find(minussinus); i != npos && i > 0 && s[i - 1] == u'-') {  // 33
    s.erase(i + 8, 1);
    s.erase(i, 2);
    s[i - 1] = u'+';
  }
  aussenklammernweg(s, u"(LN(X))");                               // 34
  aussenklammernweg(s, u"(ABS(X))");
  if (std::size_t i = s.find(u"(+"); i != npos) s.erase(i + 1, 1);  // 35
  if (std::size_t i = s.find(u"-(X+1))"); i != npos) s.replace(i, 7, u"-X-1)");  // 36
  if (beginnt(s, u"(-COS(X))")) {                                 // 37
    s.erase(8, 1);
    s.erase(0, 1);
  }
  if (beginnt(s, u"(-1)") && (s.size() < 5 || s[4] != u'^')) {    // 38
    s.erase(3, 1);
    s.erase(0, 1);
  }
  if (beginnt(s, u"((-1)") && (s.size() < 6 || s[5] != u'^')) {   // 39
    s.erase(4, 1);
    s.erase(1, 1);
  }
  if (beginnt(s, u"((")) {                                        // 40
    const std::size_t j = s.find_first_of(u"()", 2);
    if (j != npos && s[j] == u')' && j + 1 < s.size() && sicht(u")+-").find(s[j + 1]) != sicht::npos) {
      s.erase(j, 1);
      s.erase(0, 1);
    }
  }
}

}  // namespace

std::u16string vereinfachen(std::u16string_view eingabe) {
  text s(eingabe);
  if (s.empty()) return s;
  hauptregeln(s);
  if (!s.empty()) hauptregeln(s);
  if (!s.empty()) schlussregeln(s);
  return s;
}
