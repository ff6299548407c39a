#include "konstruktion.h"

#include <algorithm>
#include <optional>

#include "abbildung.h"
#include "ergebniswerte.h"
#include "fktint.h"
#include "geraden.h"
#include "kurven.h"
#include "passzustand.h"
#include "steuerzustand.h"
#include "zahltext.h"

using namespace abbildung;

double yA = 0, yB = 0;

namespace {
constexpr TColor gelb = 0x00FFFF, limone = 0x00FF00, weiss = 0xFFFFFF;

// Whether A and B had a value in the last blocks; the secant needs both.
bool amitwert = false, bmitwert = false;

// The value of f at x, where it has one. Any other failed evaluation (beyond
// the evaluator's range or limit) still shows 0 as before; only a point outside
// the domain of f has none.
std::optional<double> punktwert(std::u16string_view f, double x) {
  const double y = fktwert(f, x);
  if (fehlercode == wert_undefiniert) return std::nullopt;
  return fehlercode == wert_gueltig ? y : 0;
}

std::u16string beschriftung(std::optional<double> y) {
  return y ? u"; " + z(*y) + u" )" : u"; не определена )";
}

std::u16string punkt(double x, double y) { return u"(" + z(x) + u"; " + z(y) + u")"; }

void linie(Canvas& canvas, const Gerade& g) {
  canvas.setBrushColor(weiss);
  if (g.senkrecht)
    senkrechtekurve(canvas, g.x, g.gleichung());
  else
    termkurve(canvas, g.term);
}

void zeichnen(Canvas& canvas, const std::optional<Gerade>& g, std::u16string_view name, double x, double y,
              std::vector<std::u16string>& zeilen) {
  if (!g) return;
  linie(canvas, *g);
  zeilen.push_back(std::u16string(name) + u" " + punkt(x, y) + u": " + g->gleichung());
}
}  // namespace

void markierung(Canvas& canvas, std::int32_t px, std::int32_t py, TColor fuellung) {
  constexpr std::int32_t rand = 2147483647 - 5;
  px = std::clamp(px, -rand, rand);
  py = std::clamp(py, -rand, rand);
  canvas.setPenColor(0x000000);
  canvas.setBrushColor(fuellung);
  canvas.Ellipse(px - 4, py - 4, px + 5, py + 5);
}

void punktAblock(Canvas& canvas, std::u16string_view f, std::vector<std::u16string>& zeilen) {
  const std::optional<double> y = punktwert(f, pass.A);
  amitwert = y.has_value();
  yA = y.value_or(0);
  steuer.Label11 = beschriftung(y);
  if (!y) return;
  if (steuer.c_tangente) zeichnen(canvas, tangente(f, pass.d1, pass.A, yA, 3, 3), u"Касательная в A", pass.A, yA, zeilen);
  if (steuer.c_normale) zeichnen(canvas, normale(f, pass.d1, pass.A, yA), u"Нормаль в A", pass.A, yA, zeilen);
  canvas.setPenColor(0x000000);
  canvas.setBrushColor(gelb);
  if (steuer.c_punktA) markierung(canvas, Round(pixelx(pass.A)), Round(pixely(yA)), gelb);
  canvas.setBrushColor(weiss);
}

void punktBblock(Canvas& canvas, std::u16string_view f) {
  const std::optional<double> y = punktwert(f, pass.B);
  bmitwert = y.has_value();
  yB = y.value_or(0);
  steuer.Label10 = beschriftung(y);
  if (!y) return;
  canvas.setPenColor(0x000000);
  canvas.setBrushColor(limone);
  if (steuer.c_punktB) markierung(canvas, Round(pixelx(pass.B)), Round(pixely(yB)), limone);
  canvas.setBrushColor(weiss);
}

void sekante(Canvas& canvas, std::vector<std::u16string>& zeilen) {
  canvas.setBrushColor(weiss);
  if (pass.B - pass.A == 0 || !amitwert || !bmitwert) return;
  const Gerade g = sekantengerade(pass.A, yA, pass.B, yB);
  linie(canvas, g);
  zeilen.push_back(u"Секущая AB " + punkt(pass.A, yA) + u" " + punkt(pass.B, yB) + u": " + g.gleichung());
}

void wendetangente(Canvas& canvas, std::u16string_view f, double x, double y, std::vector<std::u16string>& zeilen) {
  canvas.setBrushColor(weiss);
  zeichnen(canvas, tangente(f, pass.d1, x, y, 4, 4), u"Касательная в точке перегиба", x, y, zeilen);
}
