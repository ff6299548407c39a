#include "konstruktion.h"

#include <algorithm>

#include "abbildung.h"
#include "ergebniswerte.h"
#include "fktint.h"
#include "kurven.h"
#include "passzustand.h"
#include "steuerzustand.h"
#include "zahltext.h"

using namespace abbildung;

double yA = 0, yB = 0;

namespace {
constexpr double h = 0.001;  // difference step of every slope
constexpr TColor gelb = 0x00FFFF, limone = 0x00FF00, weiss = 0xFFFFFF;

// Right value first, as the status left behind then belongs to f(x).
double steigung(std::u16string_view f, double x) {
  const double rechts = fktwert(f, x + h);
  return (rechts - fktwert(f, x)) / h;
}

std::u16string punktwert(double y) { return u"; " + z(y) + u" )"; }
}  // namespace

std::u16string geradenterm(double m, double b, int p, int q) {
  std::u16string text = zahltext(1, p, m) + u"*X";
  if (b > 0) text += u"+" + zahltext(1, q, b);
  if (b < 0) text += zahltext(1, q, b);
  return text;
}

void markierung(Canvas& canvas, std::int32_t px, std::int32_t py, TColor fuellung) {
  constexpr std::int32_t rand = 2147483647 - 5;
  px = std::clamp(px, -rand, rand);
  py = std::clamp(py, -rand, rand);
  canvas.setPenColor(0x000000);
  canvas.setBrushColor(fuellung);
  canvas.Ellipse(px - 4, py - 4, px + 5, py + 5);
}

void punktAblock(Canvas& canvas, std::u16string_view f) {
  yA = wertodernull(f, pass.A);
  steuer.Label11 = punktwert(yA);
  if (steuer.c_tangente) {
    canvas.setBrushColor(weiss);
    const double m = steigung(f, pass.A);
    termkurve(canvas, geradenterm(m, yA - pass.A * m, 3, 3));
  }
  if (steuer.c_normale) {
    canvas.setBrushColor(weiss);
    double m = steigung(f, pass.A);
    if (m != 0) {
      m = -1 / m;
      termkurve(canvas, geradenterm(m, yA - pass.A * m, 3, 3));
    }
  }
  canvas.setPenColor(0x000000);
  canvas.setBrushColor(gelb);
  if (steuer.c_punktA) markierung(canvas, Round(pixelx(pass.A)), Round(pixely(yA)), gelb);
  canvas.setBrushColor(weiss);
}

void punktBblock(Canvas& canvas, std::u16string_view f) {
  yB = wertodernull(f, pass.B);
  steuer.Label10 = punktwert(yB);
  canvas.setPenColor(0x000000);
  canvas.setBrushColor(limone);
  if (steuer.c_punktB) markierung(canvas, Round(pixelx(pass.B)), Round(pixely(yB)), limone);
  canvas.setBrushColor(weiss);
}

void sekante(Canvas& canvas) {
  canvas.setBrushColor(weiss);
  if (pass.B - pass.A == 0) return;
  const double m = (yB - yA) / (pass.B - pass.A);
  termkurve(canvas, geradenterm(m, yA - pass.A * m, 4, 3));
}

void wendetangente(Canvas& canvas, std::u16string_view f, double x, double y) {
  canvas.setBrushColor(weiss);
  const double m = (fktwert(f, x + h) - y) / h;
  termkurve(canvas, geradenterm(m, y - x * m, 4, 4));
}
