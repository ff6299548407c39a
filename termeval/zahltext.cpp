#include "zahltext.h"

#include <charconv>
#include <cmath>
#include <string>

#include "fktint.h"

namespace {

// The magnitude of x rounded at `dezimalen` places, as the digits of
// |x| * 10^dezimalen: taken to 18 significant digits, halves away from zero.
std::string gerundete_ziffern(double x, int dezimalen) {
  char puffer[40];
  const auto ergebnis = std::to_chars(puffer, puffer + sizeof puffer, std::fabs(x),
                                      std::chars_format::scientific, 17);
  const std::string_view wissenschaftlich(puffer, ergebnis.ptr - puffer);
  const auto e = wissenschaftlich.find('e');
  std::string ziffern;
  for (char c : wissenschaftlich.substr(0, e))
    if (c != '.') ziffern += c;
  int exponent = 0;
  std::from_chars(wissenschaftlich.data() + e + 1 + (wissenschaftlich[e + 1] == '+'),
                  wissenschaftlich.data() + wissenschaftlich.size(), exponent);

  const int behalten = exponent + 1 + dezimalen;  // digits up to the last shown place
  if (behalten < 0) return "0";
  if (behalten >= static_cast<int>(ziffern.size())) {
    return ziffern + std::string(behalten - ziffern.size(), '0');
  }
  const bool aufrunden = ziffern[behalten] >= '5';
  std::string kopf = ziffern.substr(0, behalten);
  if (aufrunden) {
    int i = behalten - 1;
    while (i >= 0 && kopf[i] == '9') kopf[i--] = '0';
    if (i < 0)
      kopf.insert(kopf.begin(), '1');
    else
      ++kopf[i];
  }
  return kopf.empty() ? "0" : kopf;
}

std::u16string breit(const std::string& s) { return std::u16string(s.begin(), s.end()); }

}  // namespace

std::u16string zahltext(int breite, int dezimalen, double x) {
  if (std::isnan(x)) return u"NaN";
  if (std::isinf(x)) return x > 0 ? u"\u221E" : u"-\u221E";
  dezimalen = std::max(0, std::min(dezimalen, 30));

  std::string ziffern = gerundete_ziffern(x, dezimalen);
  if (static_cast<int>(ziffern.size()) <= dezimalen)
    ziffern.insert(0, dezimalen + 1 - ziffern.size(), '0');
  std::string s = ziffern.substr(0, ziffern.size() - dezimalen);
  if (dezimalen > 0) s += '.' + ziffern.substr(ziffern.size() - dezimalen);
  if (std::signbit(x)) s.insert(s.begin(), '-');
  if (static_cast<int>(s.size()) < breite) s.insert(0, breite - s.size(), ' ');

  if (dezimalen > 0) {
    while (s.size() >= 2 && s.back() == '0') s.pop_back();
    if (s.size() > 1 && s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  if (const auto punkt = s.find('.'); punkt != std::string::npos) s[punkt] = ',';
  return breit(s);
}

double editwert(std::u16string_view feldtext) {
  std::u16string s(feldtext);
  for (char16_t& c : s) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (c == u',') c = u'.';
  }
  fehlercode = wert_gueltig;
  const Wert w = wert(s, 1);
  return w.gueltig ? w.y : 0;
}
