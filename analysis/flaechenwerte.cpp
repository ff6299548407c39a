#include <cmath>

#include "ergebniswerte.h"
#include "flaechenwerte.h"
#include "fktint.h"
#include "steuerzustand.h"

double integralwert = 0;
double flaechenwert = 0;

namespace {
const double u1 = std::sqrt((5 - std::sqrt(11.0)) / 12);
const double u2 = std::sqrt((5 + std::sqrt(11.0)) / 12);
constexpr int panels = 50;
}  // namespace

void flaechenwerte(std::u16string_view f, std::u16string_view g, double a, double b,
                   std::vector<std::u16string>& ergebnis) {
  if (a == b) return;
  const double lo = a < b ? a : b;
  const double hi = a < b ? b : a;
  const double h = (hi - lo) / panels;
  const double knoten[5] = {u1, -u1, u2, -u2, 0};
  double xl = lo, I = 0, F = 0;
  // Counted panels: at bounds of large magnitude adding h may not move xl, so
  // "until xl passes hi" could never end.
  for (int i = 0; i < panels; ++i) {
    const double m = xl + h / 2;
    double summe = 0, betrag = 0;
    for (double u : knoten) {
      const double t = m + u * h / 2;
      const double d = fktwert(f, t) - fktwert(g, t);
      summe += d;
      betrag += std::fabs(d);
    }
    I += h / 5 * summe;
    F += h / 5 * betrag;
    xl += h;
  }
  integralwert = I;
  flaechenwert = F;
  steuer.Label13 = u"= " + z(I);
  steuer.Label15 = u"= " + z(F);
  const std::u16string grenzen = z(lo) + u" | " + z(hi) + u")";
  const bool unter = g == u"0";
  ergebnis.push_back((unter ? u"Площадь под f1 между (" : u"Область между f1 и f2 между (") + grenzen);
  ergebnis.push_back(u"\t" + z(F));
  ergebnis.push_back((unter ? u"Определенная интеграл f1 между (" : u"Определенная интеграл f1-f2 между (") +
                     grenzen);
  ergebnis.push_back(u"\t" + z(I));
}
