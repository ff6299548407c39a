#include "termbaum.h"

#include <charconv>
#include <cmath>
#include <string>
#include <utility>

namespace termbaum {

namespace {

bool erschoepft(const zerlegung& z) { return z.arbeit > z.grenze; }

// A node for the text s, which lies inside the text the reading began with.
int neu(zerlegung& z, std::uint8_t art, sicht s, double wert = 0) {
  z.arbeit += knotenarbeit;
  knoten k{art, wert};
  k.anfang = static_cast<std::uint32_t>(s.data() - z.textanfang);
  k.laenge = static_cast<std::uint32_t>(s.size());
  z.speicher.push_back(k);
  return static_cast<int>(z.speicher.size()) - 1;
}

int basis(sicht name) {
  for (int b = 1; b <= 4; ++b)
    if (name == basisnamen[b]) return b;
  return 0;
}

// Function kind for a name before "(", 0 when the name is not accepted.
int funktionsart(sicht n) {
  switch (n.size()) {
    case 2:
      if (n[0] != u'L') return 0;
      return n[1] == u'N' ? ln : n[1] == u'G' ? lg : n[1] == u'D' ? ld : 0;
    case 3: {
      if (const int b = basis(n)) return kreis + b;
      static constexpr std::array<std::pair<sicht, int>, 5> namen{
          {{u"EXP", exp_}, {u"ABS", abs_}, {u"SGN", sgn}, {u"INT", int_}, {u"LOG", log_}}};
      for (const auto& [name, art] : namen)
        if (n == name) return art;
      return 0;
    }
    case 4:
      if (n[3] == u'H') {
        const int b = basis(n.substr(0, 3));
        return b ? hyperbel + b : 0;
      }
      return n[3] == u'T' ? wurzel : 0;
    case 5:
      return n[0] == u'E' ? exp_ : 0;
    case 6:
      if (n[0] == u'W') return wurzel;
      if (n[5] == u'H' && n.substr(0, 2) == u"AR") {
        const int b = basis(n.substr(2, 3));
        return b ? area + b : 0;
      }
      if (n.substr(0, 3) == u"ARC") {
        const int b = basis(n.substr(3, 3));
        return b ? arkus + b : 0;
      }
      return 0;
    default:
      return 0;
  }
}

bool ziffer(char16_t c) { return c >= u'0' && c <= u'9'; }

// Digits, optionally "." and digits, optionally "E" and digits. A lone "." or a
// bare "E" part is not a number; so is a value beyond the double range.
bool zahllesen(sicht s, double& wert) {
  std::size_t i = 0, ziffern = 0;
  while (i < s.size() && ziffer(s[i])) ++i, ++ziffern;
  if (i < s.size() && s[i] == u'.')
    for (++i; i < s.size() && ziffer(s[i]); ++i) ++ziffern;
  if (ziffern == 0) return false;
  if (i < s.size() && s[i] == u'E') {
    const std::size_t anfang = ++i;
    while (i < s.size() && ziffer(s[i])) ++i;
    if (i == anfang) return false;
  }
  if (i != s.size()) return false;
  std::string ascii(s.begin(), s.end());
  const auto [ende, fehler] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), wert);
  return fehler == std::errc() && ende == ascii.data() + ascii.size() && std::isfinite(wert);
}

int blatt(zerlegung& z, sicht s) {
  switch (s[0]) {
    case u'X': return s.size() == 1 ? neu(z, variable, s) : leer;
    case u'Q': return s.size() == 1 ? neu(z, parameter_q, s) : leer;
    case u'Y': return neu(z, konstante_y, s);
    case u'P': return s == u"PI" ? neu(z, pi, s) : neu(z, parameter_p, s);
    case u'\u00C9': return s.size() == 1 ? neu(z, zahl, s, std::exp(1.0)) : leer;
    default: {
      double v = 0;
      return zahllesen(s, v) ? neu(z, zahl, s, v) : leer;
    }
  }
}

// Rightmost occurrence of `op` at bracket depth 0, or npos.
std::size_t operatorstelle(sicht s, char16_t op) {
  int tiefe = 0;
  for (std::size_t i = s.size(); i-- > 0;) {
    if (s[i] == op && tiefe == 0) return i;
    if (s[i] == u')') ++tiefe;
    else if (s[i] == u'(') --tiefe;
  }
  return sicht::npos;
}

int zerlegeninnen(zerlegung& z, sicht s) {
  if (s.empty()) s = u" ";
  // A leading "-" is read as 0 minus the rest, which is what the split at the
  // first position below does: the left operand of "+" and "-" there is the number 0.

  bool eingeschlossen = true;
  int tiefe = 0;
  for (std::size_t i = s.size(); i-- > 0;) {
    if (s[i] == u')') ++tiefe;
    else if (s[i] == u'(') {
      if (--tiefe < 0) return leer;
    } else if (tiefe == 0)
      eingeschlossen = false;
  }
  if (tiefe > 0) return leer;
  if (eingeschlossen) return zerlegen(z, s.substr(1, s.size() - 2));

  for (std::size_t k = 0; k < operatorzeichen.size(); ++k) {
    const std::size_t p = operatorstelle(s, operatorzeichen[k]);
    if (p == sicht::npos) continue;
    if (p + 1 == s.size()) return leer;
    const auto art = static_cast<std::uint8_t>(summe + k);
    int l;
    if (p > 0) l = zerlegen(z, s.substr(0, p));
    else if (art == summe || art == differenz) l = neu(z, zahl, s.substr(0, 0), 0);
    else return leer;
    if (l == leer) return leer;
    const int r = zerlegen(z, s.substr(p + 1));
    if (r == leer) return leer;
    const int n = neu(z, art, s);
    z.speicher[n].links = l;
    z.speicher[n].rechts = r;
    return n;
  }

  if (s.back() == u')') {
    std::size_t i = s.size() - 1;
    tiefe = 1;
    while (tiefe > 0) {
      --i;
      if (s[i] == u')') ++tiefe;
      else if (s[i] == u'(') --tiefe;
    }
    const int art = funktionsart(s.substr(0, i));
    if (art == 0) return leer;
    const int a = zerlegen(z, s.substr(i + 1, s.size() - i - 2));
    if (a == leer) return leer;
    const int n = neu(z, static_cast<std::uint8_t>(art), s);
    z.speicher[n].argument = a;
    return n;
  }
  return blatt(z, s);
}

}  // namespace

// Failure of any sub-term fails the whole parse: once the flag is set nothing more is read.
int zerlegen(zerlegung& z, sicht s) {
  if (z.fehler) return leer;
  if (z.textanfang == nullptr) z.textanfang = s.data();
  z.arbeit += s.size();  // each step scans its text a few times
  if (++z.tiefe > maxtiefe || erschoepft(z)) z.fehler = true;
  const int n = z.fehler ? leer : zerlegeninnen(z, s);
  --z.tiefe;
  if (n == leer) z.fehler = true;
  return n;
}

bool zutief(sicht s) {
  int tiefe = 0;
  for (const char16_t c : s) {
    if (c == u'(' && ++tiefe > maxtiefe) return true;
    if (c == u')') --tiefe;
  }
  return false;
}

}  // namespace termbaum
