#include "geraden.h"

#include <cmath>
#include <limits>

#include "fktint.h"
#include "grenzwerte.h"
#include "zahltext.h"

namespace {
bool hatwert() { return fehlercode == wert_gueltig; }

// Central difference quotient of term at x with step h, where both values exist.
std::optional<double> quotient(std::u16string_view term, double x, double h) {
  const double rechts = fktwert(term, x + h);
  if (!hatwert()) return std::nullopt;
  const double links = fktwert(term, x - h);
  if (!hatwert()) return std::nullopt;
  const double m = (rechts - links) / ((x + h) - (x - h));
  if (!std::isfinite(m)) return std::nullopt;
  return m;
}
}  // namespace

std::optional<double> steigung(std::u16string_view term, std::u16string_view d1, double x) {
  if (!d1.empty()) {
    const double m = fktwert(d1, x);
    if (hatwert() && std::isfinite(m)) return m;
  }
  // Truncation error ~ h^2 and rounding error ~ eps/h balance at h ~ eps^(1/3).
  const double h = std::cbrt(std::numeric_limits<double>::epsilon()) * std::max(1.0, std::fabs(x));
  const std::optional<double> m = quotient(term, x, h);
  if (!m) return std::nullopt;
  // A slope no larger than its own error (the change against twice the step) is
  // no slope: a horizontal tangent stays horizontal without the derivative text.
  const std::optional<double> grob = quotient(term, x, 2 * h);
  if (grob && std::fabs(*m) <= 4 * std::fabs(*m - *grob)) return 0.0;
  return m;
}

std::u16string geradenterm(double m, double b, int p, int q) {
  const std::u16string steig = zahltext(1, p, m), abschnitt = zahltext(1, q, b);
  std::u16string text;
  if (steig == u"1")
    text = u"X";
  else if (steig == u"-1")
    text = u"-X";
  else if (steig != u"0")
    text = steig + u"*X";
  if (abschnitt != u"0") text += (abschnitt[0] == u'-' || text.empty() ? u"" : u"+") + abschnitt;
  return text.empty() ? u"0" : text;
}

std::u16string Gerade::gleichung() const { return senkrecht ? u"X = " + zahltext(1, 3, x) : u"Y = " + term; }

std::optional<Gerade> tangente(std::u16string_view term, std::u16string_view d1, double x, double y, int p, int q) {
  const std::optional<double> m = steigung(term, d1, x);
  if (!m) return std::nullopt;
  return Gerade{false, x, geradenterm(*m, y - x * *m, p, q)};
}

std::optional<Gerade> normale(std::u16string_view term, std::u16string_view d1, double x, double y) {
  const std::optional<double> m = steigung(term, d1, x);
  if (!m) return std::nullopt;
  if (std::fabs(*m) * termwerte::grenze <= 1) return Gerade{true, x, {}};
  const double n = -1 / *m;
  return Gerade{false, x, geradenterm(n, y - x * n, 3, 3)};
}

Gerade sekantengerade(double xa, double ya, double xb, double yb) {
  const double m = (yb - ya) / (xb - xa);
  return Gerade{false, xa, geradenterm(m, ya - xa * m, 4, 3)};
}
