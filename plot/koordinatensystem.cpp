// Axes, ticks with labels, the dotted grid, the fine grid and the frame.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "abbildung.h"
#include "koordinatensystem.h"
#include "steuerzustand.h"
#include "zahltext.h"

using namespace abbildung;

namespace {

constexpr TColor schwarz = 0x000000;
constexpr TColor hellgrau = 0xD0D0D0;
constexpr TColor feingrau = 0xF0F0F0;

double teilwert = 0;
std::int32_t teilpixel = 0;
double teilfaktor = 1;

bool winkelachse() { return steuer.M_winkel || steuer.M_bogen; }

int spaltevon(double t) { return Round(pixelx(t * teilfaktor)); }
int zeilevon(double v) { return Round(pixely(v)); }

// 1, 2, 4, 10, 20, 40, 100, 200, 400, 800, 1600, ...
double naechsterteiler(double d) {
  const double z = 2 * d;
  return z == 8 ? 10 : z == 80 ? 100 : z;
}

// Divisor d of an axis step n/d: n grows with the world extent, d is the first divisor
// that brings the pixel distance of one step down to the limit. The divisor
// runs out (to infinity) after about a thousand members, which ends the
// search on any mapping; the sweeps then see a step of 0 and draw nothing.
double teiler(double welt, int (*pixel)(double), int grenze, double& n) {
  n = std::trunc(welt / 20) + 1;
  double d = 1;
  for (int i = 0; i < 1100; ++i) {
    const std::int64_t abstand = static_cast<std::int64_t>(pixel(0)) - pixel(n / d);
    if (std::llabs(abstand) <= grenze) break;
    d = naechsterteiler(d);
  }
  return d;
}

// The distance test uses x itself, without teilfaktor.
double xteiler(double& n) { return teiler(wbx, [](double x) { return Round(pixelx(x)); }, 80, n); }

double ystep() {
  double n;
  const double d = teiler(wby, [](double y) { return Round(pixely(y)); }, 75, n);
  return n / d;
}

// Skips a sweep adds one at a time before it gallops: enough for any view a
// pupil pans to, whose ticks then sit exactly where the repeated sum puts them.
constexpr long einzelschritte = 1L << 20;
constexpr int skipblock = 64;

// The skips of a sweep: t advances by `sprung` while davor(pixel(t)). The pixel
// moves one way along a sweep, so when the end of 64 additions still lies
// before the edge, every one of them does; the block that would pass the edge
// is redone one addition at a time. The values are those of the plain repeated
// sum at the cost of one pixel test per block. Past `einzelschritte` additions
// the sweep gallops. False when t stops moving.
template <typename Pixel, typename Davor>
bool ueberspringen(double& t, double sprung, Pixel pixel, Davor davor) {
  long i = 0;
  for (bool blockweise = true; blockweise && i + skipblock <= einzelschritte && davor(pixel(t));) {
    double probe = t;
    for (int k = 0; k < skipblock; ++k) probe += sprung;
    blockweise = probe != t && davor(pixel(probe));
    if (blockweise) t = probe, i += skipblock;
  }
  for (; davor(pixel(t)); ++i) {
    double weite = sprung;
    if (i > einzelschritte)
      while (std::isfinite(2 * weite) && davor(pixel(t + 2 * weite))) weite *= 2;
    if (t + weite == t) return false;
    t += weite;
  }
  return true;
}

// One sweep over the ticks or grid lines of an axis: from t, skip by `sprung`
// while the pixel lies beyond the near edge, then act and advance by `schritt`
// while it lies before the far edge. Values come from repeated addition; only a
// view so far from the origin that a million skips do not reach it gallops to
// the edge, and a step too small to move t, or a degenerate mapping, ends the sweep.
template <typename Pixel, typename Davor, typename Innen, typename Tun>
void sweep(double t, double sprung, double schritt, Pixel pixel, Davor davor, Innen innen, Tun tun) {
  if (!(std::isfinite(sprung) && std::isfinite(schritt)) || sprung == 0 || schritt == 0) return;
  if (!ueberspringen(t, sprung, pixel, davor)) return;
  const long hoechstens = 4L * (grafb + grafh) + 64;
  for (long i = 0; innen(pixel(t)) && i < hoechstens; ++i) {
    tun(t);
    if (t + schritt == t) return;
    t += schritt;
  }
}

void linie(Canvas& c, int x1, int y1, int x2, int y2) {
  c.MoveTo(x1, y1);
  c.LineTo(x2, y2);
}

void pfeil(Canvas& c, int x1, int y1, int x2, int y2) {
  linie(c, x1, y1, x2, y2);
  if (x1 == x2 && y1 == y2) return;
  constexpr double alpha = 0.264346095279206;
  constexpr double laenge = 14;
  double theta;
  if (x2 != x1)
    theta = std::numbers::pi - std::atan(static_cast<double>(y2 - y1) / (x2 - x1));
  else
    theta = y2 > y1 ? std::numbers::pi / 2 : -std::numbers::pi / 2;
  int a1 = Round(laenge * std::cos(theta - alpha)), b1 = Round(laenge * std::sin(theta - alpha));
  int a2 = Round(laenge * std::cos(theta + alpha)), b2 = Round(laenge * std::sin(theta + alpha));
  if (x2 < x1) a1 = -a1, b1 = -b1, a2 = -a2, b2 = -b2;
  c.setBrushColor(c.Pen().Color);
  const TPoint kopf[] = {{x2 + a1, y2 - b1}, {x2, y2}, {x2 + a2, y2 - b2}};
  c.Polygon(kopf);
  c.setBrushStyle(bsClear);
}

void rasterlinie(Canvas& c, int x1, int y1, int x2, int y2) {
  c.setPenColor(hellgrau);
  c.setPenStyle(psDot);
  linie(c, x1, y1, x2, y2);
  c.setPenColor(schwarz);
  c.setPenStyle(psSolid);
}

std::u16string xtext(double t) {
  if (!winkelachse()) return zahltext(4, 3, t);
  if (steuer.M_bogen) return zahltext(4, 2, t / 4);
  return zahltext(4, 2, t * 45) + u"°";
}

std::u16string ytext(double v) { return zahltext(4, 3, v); }

// A tick with everything that belongs to it; `text` is its label, or none where
// the row has no room for it.
void xteilstrich(Canvas& c, double t, const std::u16string* text) {
  teilwert = t;
  const int p = teilpixel = spaltevon(t);
  if (steuer.m_raster) rasterlinie(c, p, 0, p, grafh);
  if (steuer.M_rahmen) {
    linie(c, p, 0, p, 5);
    linie(c, p, grafh, p, grafh - 6);
    if (text) c.TextOut(p, 6, *text);
  }
  if (steuer.MAchsen1 && _y > -6 && _y + 6 < grafh && p < grafb - 26) {
    linie(c, p, _y + 6, p, _y - 6);
    if (!text) return;
    c.TextOut(p - 10, _y + 6, *text);
    // The pi sign: the character itself in the label font, where the symbol font put it.
    if (steuer.M_bogen) c.TextOut(p - 10 + c.TextWidth(*text) + 2, _y + 6, u"π");
  }
}

void yteilstrich(Canvas& c, double v, const std::u16string* text) {
  teilwert = v;
  const int p = teilpixel = zeilevon(v);
  if (steuer.m_raster) rasterlinie(c, 0, p, grafb, p);
  if (steuer.M_rahmen) {
    if (text) c.TextOut(2, p, *text);
    linie(c, 0, p, 5, p);
    linie(c, grafb - 6, p, grafb, p);
  }
  if (steuer.MAchsen1 && _x > 16 && _x - 16 < grafb && p > 26) {
    linie(c, _x - 6, p, _x + 6, p);
    if (text) c.TextOut(_x - 6 - c.TextWidth(*text), p, *text);
  }
}

// A tick's label as the row of labels along its axis sees it.
struct Marke {
  double wert;    // the tick's value (t or v)
  double nummer;  // its place counted from 0 in steps
  int pixel;      // where the label starts along the row, up to a fixed offset
  int laenge;     // extent of the label along the row
  std::u16string text;
  bool lesbar;    // no wider than half the drawing, so it can be read beside its tick
};

Marke marke(Canvas& c, double wert, double schritt, bool senkrecht) {
  std::u16string text = senkrecht ? ytext(wert) : xtext(wert);
  const TSize mass = c.TextExtent(text);
  return {wert, std::round(wert / schritt), senkrecht ? zeilevon(wert) : spaltevon(wert),
          senkrecht ? mass.cy : mass.cx, std::move(text), mass.cx <= grafb / 2};
}

bool beschriftet(const Marke& m, double k) { return m.lesbar && std::fmod(m.nummer, k) == 0; }

// True when the labels of every k-th tick, counted from 0, stand apart: each
// ends before its neighbour begins and reads differently from it.
bool stehenfrei(const std::vector<Marke>& reihe, double k) {
  const Marke* vorige = nullptr;
  for (const Marke& m : reihe) {
    if (!beschriftet(m, k)) continue;
    if (vorige && (m.pixel - vorige->pixel < vorige->laenge || m.text == vorige->text)) return false;
    vorige = &m;
  }
  return true;
}

// Every k-th tick of an axis carries its label, k the first of 1, 2, 5, 10, 20,
// 50, ... at which no two labels of the row overlap or repeat; so a deep zoom or
// a far view writes fewer labels instead of a smear. On every ordinary view k is
// 1. `reihe` holds the ticks and any other label of the row (the origin's "0").
double beschriftungsabstand(std::vector<Marke> reihe) {
  std::sort(reihe.begin(), reihe.end(), [](const Marke& a, const Marke& b) { return a.pixel < b.pixel; });
  double k = 1;
  for (int i = 0; !stehenfrei(reihe, k); ++i) k *= i % 3 == 1 ? 2.5 : 2;
  return k;
}

// The ticks of one axis: both sweeps collected in their order, then drawn with
// the labels the row has room for.
template <typename Sweeps, typename Teilstrich>
void teilung(Canvas& c, double s, bool senkrecht, std::vector<Marke> reihe, Sweeps sweeps, Teilstrich teilstrich) {
  std::vector<Marke> marken;
  sweeps([&](double w) { marken.push_back(marke(c, w, s, senkrecht)); });
  reihe.insert(reihe.end(), marken.begin(), marken.end());
  const double k = beschriftungsabstand(std::move(reihe));
  for (const Marke& m : marken) teilstrich(c, m.wert, beschriftet(m, k) ? &m.text : nullptr);
}

void feinraster(Canvas& c) {
  c.setPenColor(feingrau);
  const double sy = ystep();
  auto waagerecht = [&](double v) { linie(c, 0, zeilevon(v), grafb, zeilevon(v)); };
  sweep(-sy, sy, sy / 5, zeilevon, [](int r) { return r > grafh; }, [](int r) { return r > 0; }, waagerecht);
  sweep(-sy, -sy, -sy / 5, zeilevon, [](int r) { return r < 0; }, [](int r) { return r < grafh; }, waagerecht);
  double n;
  const double d = xteiler(n);
  const double sx = n / d;
  auto senkrecht = [&](double t) { linie(c, spaltevon(t), 0, spaltevon(t), grafh); };
  sweep(sx, -sx / 5, -sx / 5, spaltevon, [](int p) { return p > grafb; }, [](int p) { return p > 0; }, senkrecht);
  sweep(sx, sx / 5, sx / 5, spaltevon, [](int p) { return p < 0; }, [](int p) { return p < grafb; }, senkrecht);
  c.setPenColor(schwarz);
}

void achsen(Canvas& c) {
  const bool xachse = ymin * ymax <= 0;
  const bool yachse = xmin * xmax <= 0;
  if (steuer.MAchsen1) {
    const int breite = steuer.MAchsen21 ? 2 : 1;
    c.setPenWidth(breite);
    c.setPenColor(schwarz);
    if (yachse) {
      pfeil(c, _x, grafh - 10, _x, 10);
      c.setPenWidth(1);
      c.setBrushStyle(bsClear);
      c.TextOut(_x - 10 - c.TextWidth(u"y"), 10, u"y");
    }
    if (xachse) {
      c.setPenWidth(breite);
      pfeil(c, 10, _y, grafb - 10, _y);
      c.setPenWidth(1);
      c.setBrushStyle(bsClear);
      c.TextOut(grafb - 10 - c.TextWidth(u"x"), _y - 25, u"x");
    }
    c.setPenWidth(1);
  } else if (steuer.m_raster) {
    c.setPenWidth(1);
    c.setPenColor(hellgrau);
    c.setPenStyle(psDot);
    if (yachse) linie(c, _x, grafh - 10, _x, 10);
    if (xachse) linie(c, 10, _y, grafb - 10, _y);
    c.setPenStyle(psSolid);
  }
}

void xteilung(Canvas& c) {
  double n;
  double d = xteiler(n);
  std::vector<Marke> reihe;
  if (steuer.MAchsen1 && _y > -6 && _y + 6 < grafh && _x > 10 && _x - 10 < grafb) {
    c.TextOut(_x - 10, _y + 6, u"0");
    reihe.push_back({0, 0, _x, c.TextWidth(u"0"), u"0", true});
  }
  if (winkelachse()) {
    d = d - 1;
    if (d == 0) d = 1;
  }
  const double s = n / d;
  teilung(c, s, false, std::move(reihe), [&](auto tick) {
    sweep(-s, -s, -s, spaltevon, [](int p) { return p > grafb; }, [](int p) { return p > 0; }, tick);
    sweep(s, s, s, spaltevon, [](int p) { return p < 0; }, [](int p) { return p < grafb; }, tick);
  }, xteilstrich);
}

void yteilung(Canvas& c) {
  const double s = ystep();
  teilung(c, s, true, {}, [&](auto tick) {
    sweep(s, s, s, zeilevon, [](int r) { return r > grafh; }, [](int r) { return r > 0; }, tick);
    sweep(-s, -s, -s, zeilevon, [](int r) { return r < 0; }, [](int r) { return r < grafh; }, tick);
  }, yteilstrich);
}

}  // namespace

void koordinatensystem(Canvas& canvas) {
  canvas.setFontColor(schwarz);
  teilfaktor = winkelachse() ? std::numbers::pi / 4 : 1;
  if (steuer.m_mmraster) feinraster(canvas);
  achsen(canvas);
  xteilung(canvas);
  yteilung(canvas);
  canvas.setFontColor(schwarz);
}
