// Signs the evaluator binds to the base of a power.
//
// The evaluator reads a "-" that starts an operand as part of the one factor after
// it, so "^" then applies to the signed factor: 1+-X^2 is 1+(-X)^2. Only at the very
// start of the term and in "(-X^" does it write a 0 in front of the sign first. This
// scan follows the evaluator's reading (operand due or operator due, bracket depth)
// over the text once, without recursion, so that the derivative builder and the
// result list can tell where that reading differs from the usual one.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "uableitung.h"

namespace {

using sicht = std::u16string_view;

bool ziffer(char16_t c) { return (c >= u'0' && c <= u'9') || c == u'.' || c == u',' || c == u'\u00E9'; }
bool operatorzeichen(char16_t c) { return sicht(u"+-*/^\u00B7").find(c) != sicht::npos; }
bool oeffnend(char16_t c) { return c == u'(' || c == u'[' || c == u'|'; }
// First letters of the function names the evaluator looks up.
bool funktionsbuchstabe(char16_t c) {
  return (c >= u'A' && c <= u'J') || (c >= u'L' && c <= u'O') || c == u'S' || c == u'T' || c == u'V' || c == u'W';
}

struct leser {
  sicht s;
  std::size_t i = 0;  // reading position
  int tiefe = 0;      // open brackets
  bool operanderwartet = true;
  std::size_t zeichen = sicht::npos;  // the sign of the operand being read
  // A sign whose factor is a bracket or a function call, waiting for its closing character.
  struct offen {
    std::size_t zeichen;
    int tiefe;
  };
  std::vector<offen> offene;
  // Hits whose power is still being read, with the depth of their "^".
  std::vector<std::pair<std::size_t, int>> potenzen;
  std::vector<vorzeichenbasis> treffer;

  // Whether a "^" after the factor of the sign at `z` raises the signed factor. Not
  // at the evaluator's own repairs (a sign at the start and the sign of "(-X^"), and
  // not in an exponent: there the next "^" raises the power before it (2^-X^2 is
  // (2^(-X))^2).
  bool bindetbasis(std::size_t z) const {
    if (z == 0 || s[z - 1] == u'^') return false;
    return s[z - 1] != u'(' || s.substr(z + 1, 2) != u"X^";
  }

  // The factor of the sign at `z` ends at the reading position. A "^" there that the
  // evaluator reads as an operator (it never reads the last character so) is a hit.
  void faktorende(std::size_t z) {
    if (i + 1 >= s.size() || s[i] != u'^' || !bindetbasis(z)) return;
    treffer.push_back({z, i, s.size()});
    potenzen.emplace_back(treffer.size() - 1, tiefe);
  }

  // Something other than "^" follows at this depth: the powers read here end.
  void potenzenbeenden() {
    while (!potenzen.empty() && potenzen.back().second >= tiefe) {
      treffer[potenzen.back().first].potenzende = i;
      potenzen.pop_back();
    }
  }

  // End of a number, a constant or X at `k`; `k` itself when none begins there.
  std::size_t blattende(std::size_t k) const {
    const char16_t c = s[k];
    if (ziffer(c)) {
      while (k < s.size() && ziffer(s[k])) ++k;
      return k;
    }
    if (c == u'X' || c == u'Q' || c == u'R' || c == u'\u00C9') return k + 1;
    if (c != u'P') return k;
    if (s.substr(k + 1, 1) == u"I") return k + 2;
    return s.substr(k + 1, 2) == u"HI" ? k + 3 : k + 1;
  }

  // Operand due: a sign, then a factor.
  void operand() {
    if (s[i] == u'-' && zeichen == sicht::npos) {
      zeichen = i++;
      return;
    }
    if (const std::size_t b = blattende(i); b != i) {
      i = b;
      if (zeichen != sicht::npos) faktorende(zeichen);
    } else if (funktionsbuchstabe(s[i]) || oeffnend(s[i])) {
      // A function name runs up to the next "("; its argument is read like a bracket.
      if (funktionsbuchstabe(s[i])) i = std::min(s.find(u'(', i), s.size() - 1);
      ++i;
      ++tiefe;
      if (zeichen != sicht::npos) offene.push_back({zeichen, tiefe});
      zeichen = sicht::npos;
      return;
    }
    // After a factor, or at anything that is no operand (the evaluator meets it next
    // as an operator), an operator is due.
    zeichen = sicht::npos;
    operanderwartet = false;
  }

  // Operator due. Returns false where the reading of the term ends.
  bool verknuepfung() {
    const bool ende = i + 1 >= s.size();  // the last character is never an operator
    if (ende || s[i] != u'^') potenzenbeenden();
    if (ende) {
      // Unread, it still closes the innermost bracket: a power around that bracket
      // takes it in.
      i = s.size();
      return false;
    }
    if (operatorzeichen(s[i])) {
      ++i;
      operanderwartet = true;
      return true;
    }
    if (tiefe == 0) return false;  // a closing character outside every bracket ends the term
    ++i;
    if (!offene.empty() && offene.back().tiefe == tiefe) {
      --tiefe;
      faktorende(offene.back().zeichen);
      offene.pop_back();
    } else {
      --tiefe;
    }
    return true;
  }

  void lesen() {
    if (!s.empty() && (s[0] == u'-' || s[0] == u'+')) i = 1;  // read as 0- and 0+
    while (i < s.size()) {
      if (operanderwartet) operand();
      else if (!verknuepfung()) break;
    }
    tiefe = -1;
    potenzenbeenden();
  }
};

}  // namespace

std::vector<vorzeichenbasis> vorzeichenvorpotenz(std::u16string_view text) {
  leser l;
  l.s = text;
  l.lesen();
  // A sign's hit is made where its factor ends, so an inner one comes first.
  std::sort(l.treffer.begin(), l.treffer.end(), [](const auto& a, const auto& b) { return a.zeichen < b.zeichen; });
  return l.treffer;
}
