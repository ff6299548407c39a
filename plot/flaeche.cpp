#include "flaeche.h"

#include <algorithm>
#include <cmath>

#include "abbildung.h"
#include "fktint.h"
#include "passzustand.h"

using namespace abbildung;

std::int32_t schraffurzeile(double zeile) {
  if (!(zeile >= 0)) return -1;
  if (zeile >= 2147483647.0) return 2147483647;
  return static_cast<std::int32_t>(zeile);
}

namespace {

void schraffurlinie(Canvas& canvas, std::u16string_view f, std::u16string_view g, double c) {
  const double xw = (c - _x) / fx;
  const std::int32_t r1 = schraffurzeile(pixely(fktwert(f, xw)));
  const std::int32_t r2 = schraffurzeile(pixely(fktwert(g, xw)));
  canvas.MoveTo(Round(c), r1);
  canvas.LineTo(Round(c), r2);
  strichzaehlen(canvas);
}

}  // namespace

void schraffur(Canvas& canvas, std::u16string_view f, std::u16string_view g) {
  canvas.setPenColor(0x00FFFE);
  const double ende = pixelx(pass.A);
  double c = pixelx(pass.B) + 1;
  if (c < 0) c = -2;
  if (pass.B < pass.A) {
    do {
      schraffurlinie(canvas, f, g, c);
      c += 2;
    } while (c < ende && c <= grafb && !budgetverbraucht());
  } else {
    // Columns right of the drawing show nothing: start at the first one of the
    // same parity instead of walking there, which for a far B could take ages
    // or, once c - 2 = c, never end.
    // Beyond 2^53 the parity is lost anyway; the right edge will do then.
    if (c > grafb + 1.0) {
      const double k = c - 2 * std::floor((c - grafb - 1) / 2);
      c = k > grafb - 1.0 && k <= grafb + 1.0 ? k : grafb + 1.0;
    }
    do {
      schraffurlinie(canvas, f, g, c);
      c -= 2;
    } while (c > ende && c >= 0 && !budgetverbraucht());
  }
}

namespace {
// Samples at most between the drawing and a far y-axis.
constexpr long long stammbudget = 1 << 17;
}  // namespace

void stammkurve(Canvas& canvas, std::u16string_view term) {
  // The search for the first column, the sum up to the y-axis and the curve.
  const double summe = std::clamp(static_cast<double>(_x) + 2, 0.0, stammbudget + 1.0);
  if (!budgetreicht(term, 2.0 * grafb + summe + 5, weltx(0), weltx(grafb))) return;
  if (!term.empty()) {
    const double delta = 1 / fx;
    auto v = [&](int c) { return fktwert(term, (c - _x) / fx); };
    // First column: defined (or past the drawing) and inside the domain. Once past
    // the drawing nothing more would be drawn, so the search ends there.
    int c = 0;
    bool gefunden = false;
    while (c <= grafb + 1) {
      v(c);
      ++c;
      if ((fehlercode == wert_gueltig || c > grafb) && weltx(c) > pass.xvon) {
        gefunden = true;
        break;
      }
    }
    if (gefunden) {
      const int c0 = c;
      // The sum towards an origin far right of the drawing would take one sample
      // per column, up to 2^30 of them; past a budget every sample stands for a
      // stride of columns, so the pass ends in time and the anchor stays at x = 0.
      double S = 0;
      const long long spalten = static_cast<long long>(_x) - c0 + 1;
      const long long schritt = std::max(1LL, (spalten + stammbudget - 1) / stammbudget);
      for (long long k = c0; k <= _x; k += schritt)
        S -= v(static_cast<int>(k)) * delta * static_cast<double>(std::min(schritt, _x - k + 1));
      const double V = -S - v(0) * delta;
      const double y0 = pixely(-V);
      if (darstellbar(y0)) canvas.MoveTo(c0, Round(y0));
      double W = -S;
      for (int k = c0; k <= grafb && !budgetverbraucht(); ++k) {
        W -= v(k) * delta;
        if (weltx(k) > pass.xbis) break;
        const double y = pixely(-W);
        if (darstellbar(y) && fehlercode == wert_gueltig) {
          const std::int32_t r = Round(y);
          if (r < -100 || r > grafh + 100) {
            canvas.MoveTo(k, r);
          } else {
            canvas.LineTo(k, r);
            strichzaehlen(canvas);
          }
        } else {
          canvas.MoveTo(k, _y);
        }
      }
    }
  }
  if (pass.termanzeige) canvas.TextOut(16, 16 * pass.kurvennr, u"Первообразная f1");
}
