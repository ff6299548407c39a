// One plot pass on a random control state: every check box and setting, a view
// window anywhere (finite, ordered, possibly tiny or huge), a surface of 1 x 1 to
// 2000 x 2000 pixels and arbitrary 16-bit texts in the edit fields, drawn onto an
// offscreen image as the window's repaint does.
//
// Input: 8 bytes of flags, 2 + 2 bytes of size, 4 doubles of view, a double P,
// 1 byte pen width, 2 bytes memo height; then UTF-16 texts separated by '\n' for
// ed_f1, ed_f2, ... ed_breite in that order (fields without a text keep their default).
#include <QImage>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "abbildung.h"
#include "fktint.h"
#include "plotpass.h"
#include "grafikstart.h"
#include "qtcanvas.h"
#include "steuerzustand.h"
#include "uableitung.h"
#include "zahltext.h"

using namespace abbildung;

namespace {

struct Leser {
  const std::uint8_t* daten;
  std::size_t rest;
  template <typename T>
  T lesen() {
    T v{};
    const std::size_t n = std::min(rest, sizeof v);
    std::memcpy(&v, daten, n);
    daten += n;
    rest -= n;
    return v;
  }
};

bool Steuerzustand::* const schalter[] = {
    &Steuerzustand::c_f1, &Steuerzustand::c_f2, &Steuerzustand::c_f3, &Steuerzustand::c_f4,
    &Steuerzustand::c_1ableitung, &Steuerzustand::c_2ableitung, &Steuerzustand::c_nullstellen,
    &Steuerzustand::c_extrema, &Steuerzustand::c_wendepunkte, &Steuerzustand::c_schnittpunkte,
    &Steuerzustand::c_wendetangente, &Steuerzustand::c_pktanzeige, &Steuerzustand::c_stammfunktion,
    &Steuerzustand::c_schar, &Steuerzustand::c_punktA, &Steuerzustand::c_punktB,
    &Steuerzustand::c_tangente, &Steuerzustand::c_normale, &Steuerzustand::c_sekante,
    &Steuerzustand::c_integral, &Steuerzustand::c_wertetabelle, &Steuerzustand::c_ergebnisliste,
    &Steuerzustand::MAchsen1, &Steuerzustand::MAchsen21, &Steuerzustand::M_rahmen,
    &Steuerzustand::M_winkel, &Steuerzustand::M_bogen, &Steuerzustand::m_raster,
    &Steuerzustand::m_mmraster, &Steuerzustand::m_terme, &Steuerzustand::m_farbe,
    &Steuerzustand::spiegelungxachse, &Steuerzustand::spiegelungyachse,
    &Steuerzustand::spiegelungursprung, &Steuerzustand::nacheinanderausfuehrung,
    &Steuerzustand::verschiebungxachse, &Steuerzustand::streckungxachse,
    &Steuerzustand::verschiebungyachse, &Steuerzustand::streckungyachse,
    &Steuerzustand::funktionsaddition, &Steuerzustand::funktionssubtraktion1,
    &Steuerzustand::funktionsmultiplikation, &Steuerzustand::funktionsdivision1,
    &Steuerzustand::Umkehrkurvezuf1x1,
};

std::u16string Steuerzustand::* const felder[] = {
    &Steuerzustand::ed_f1, &Steuerzustand::ed_f2, &Steuerzustand::ed_f3, &Steuerzustand::ed_f4,
    &Steuerzustand::ed_xvon, &Steuerzustand::ed_xbis, &Steuerzustand::ed_parameter,
    &Steuerzustand::ed_q, &Steuerzustand::ed_schardiff, &Steuerzustand::ed_A, &Steuerzustand::ed_B,
    &Steuerzustand::ed_von, &Steuerzustand::ed_bis, &Steuerzustand::ed_delta, &Steuerzustand::ed_breite,
};

// A finite, ordered range with a finite width that the pixel scale can divide;
// anything else keeps the standard range.
void bereich(double a, double b, double& lo, double& hi, double slo, double shi) {
  if (a > b) std::swap(a, b);
  const double w = b - a;
  if (std::isfinite(a) && std::isfinite(b) && std::isfinite(w) && w >= 1e-300) lo = a, hi = b;
  else lo = slo, hi = shi;
}

}  // namespace

// The font library loads fallback fonts on first use of a character and keeps
// them for the life of the process; that is no leak of a pass.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  static const bool bereit = (grafikstarten(), ersetzungslisteladen(), true);
  (void)bereit;
  Leser l{daten, groesse};
  steuer = Steuerzustand{};
  const auto bits = l.lesen<std::uint64_t>();
  for (std::size_t i = 0; i < std::size(schalter); ++i) steuer.*schalter[i] = (bits >> i) & 1;
  steuer.Mergebnis_visible = steuer.c_ergebnisliste;
  const int breite = 1 + l.lesen<std::uint16_t>() % 2000;
  const int hoehe = 1 + l.lesen<std::uint16_t>() % 2000;
  steuer.PaintBox1_width = breite;
  steuer.PaintBox1_height = hoehe;
  const double v[4] = {l.lesen<double>(), l.lesen<double>(), l.lesen<double>(), l.lesen<double>()};
  bereich(v[0], v[1], xmin, xmax, -6, 6);
  bereich(v[2], v[3], ymin, ymax, -5, 5);
  const double p = l.lesen<double>();
  P = std::isfinite(p) ? p : 0;
  steuer.UpDown1 = 1 + l.lesen<std::uint8_t>() % 6;
  steuer.Mergebnis_clientheight = l.lesen<std::int16_t>();

  std::u16string texte(l.rest / 2, u'\0');
  std::memcpy(texte.data(), l.daten, texte.size() * 2);
  std::size_t anfang = 0;
  for (auto feld : felder) {
    if (anfang > texte.size()) break;
    const std::size_t ende = std::min(texte.find(u'\n', anfang), texte.size());
    steuer.*feld = texte.substr(anfang, ende - anfang);
    anfang = ende + 1;
  }

  // As b_zeichnenClick fills the list and reads P, Q as the spinner leaves it.
  funktionslistefuellen();
  Q = editwert(steuer.ed_q);

  QImage bild(breite, hoehe, QImage::Format_RGB32);
  bild.fill(Qt::white);
  QtCanvas leinwand(bild);
  PaintBox1Paint(leinwand);
  // The view is the caller's; the pass must leave it as it was.
  if (!(xmin < xmax && ymin < ymax)) __builtin_trap();
  return 0;
}
