#include "statuszeile.h"

#include <QMouseEvent>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "abbildung.h"
#include "fktint.h"
#include "graf_rus.h"
#include "paintbox.h"
#include "plotpass.h"
#include "steuerzustand.h"
#include "zahltext.h"

using namespace abbildung;

namespace {

struct Feldkurve {
  const char16_t* name;
  bool Steuerzustand::*an;
  std::u16string Steuerzustand::*term;
};

const Feldkurve feldkurven[] = {
    {u"f1", &Steuerzustand::c_f1, &Steuerzustand::ed_f1},
    {u"f2", &Steuerzustand::c_f2, &Steuerzustand::ed_f2},
    {u"f3", &Steuerzustand::c_f3, &Steuerzustand::ed_f3},
    {u"f4", &Steuerzustand::c_f4, &Steuerzustand::ed_f4},
};

// A sample of a curve in pixels, as the drawing joins it.
struct Probe {
  double c, r;
  bool gueltig;
};

Probe probe(const std::u16string& term, int spalte, double anfang, double ende) {
  const double x = weltx(spalte);
  if (!(x > anfang) || x > ende) return {0, 0, false};
  const double r = pixely(fktwert(term, x));
  return {double(spalte), r, fehlercode == wert_gueltig && darstellbar(r)};
}

// Parameter in [0, 1] of the point of segment a-b nearest to (c, r).
double naechsterparameter(const Probe& a, const Probe& b, double c, double r) {
  const double dc = b.c - a.c, dr = b.r - a.r, laenge = dc * dc + dr * dr;
  if (laenge == 0) return 0;
  return std::clamp(((c - a.c) * dc + (r - a.r) * dr) / laenge, 0.0, 1.0);
}

}  // namespace

std::vector<Kurve> gezeichnetekurven() {
  std::vector<Kurve> kurven;
  for (const Feldkurve& k : feldkurven)
    if (steuer.*k.an && !(steuer.*k.term).empty()) kurven.push_back({k.name, {}});
  listeanfang();
  for (Kurve& k : kurven) {
    if (listeende()) return {};
    k.term = naechsterterm();
  }
  if (!listeende()) return {};
  return kurven;
}

std::optional<Kurvenpunkt> naechstekurve(const std::vector<Kurve>& kurven, double c, double r, double radius,
                                         double anfang, double ende) {
  std::optional<Kurvenpunkt> bester;
  const int von = int(std::floor(c - radius)) - 1, bis = int(std::ceil(c + radius)) + 1;
  // Two samples farther apart than this are a jump, where the drawing lifts its pen.
  const double sprung = grafh / 2.0 - 10;
  for (std::size_t i = 0; i < kurven.size(); ++i) {
    Probe vorige = probe(kurven[i].term, von - 1, anfang, ende);
    for (int spalte = von; spalte <= bis; ++spalte) {
      const Probe p = probe(kurven[i].term, spalte, anfang, ende);
      if (!p.gueltig) {
        vorige = p;
        continue;
      }
      const bool strecke = vorige.gueltig && std::fabs(p.r - vorige.r) <= sprung;
      const Probe& a = strecke ? vorige : p;
      const double t = naechsterparameter(a, p, c, r);
      const double pc = a.c + t * (p.c - a.c), pr = a.r + t * (p.r - a.r);
      const double abstand = std::hypot(pc - c, pr - r);
      if (abstand <= radius && (!bester || abstand < bester->abstand)) {
        const double x = weltx(0) + pc / fx;
        const double y = fktwert(kurven[i].term, x);
        bester = Kurvenpunkt{i, x, fehlercode == wert_gueltig ? y : welty(0) - pr / fy, abstand};
      }
      vorige = p;
    }
  }
  return bester;
}

std::u16string koordinatentext(double v, double proeinheit) {
  // One pixel must show in the last decimal.
  const int stellen = std::clamp(int(std::ceil(std::log10(std::max(proeinheit, 1.0)))), 2, 15);
  char puffer[64];
  if (std::fabs(v) >= 1e12) {
    std::snprintf(puffer, sizeof puffer, "%.3E", v);
  } else {
    std::snprintf(puffer, sizeof puffer, "%.*f", stellen, v);
    // A value that rounds to zero has no sign.
    if (puffer[0] == '-' && std::strspn(puffer + 1, "0.") == std::strlen(puffer + 1))
      std::memmove(puffer, puffer + 1, std::strlen(puffer));
  }
  std::u16string text(puffer, puffer + std::strlen(puffer));
  std::replace(text.begin(), text.end(), u'.', u',');
  return text;
}

Statuszeile::Statuszeile(TFGraf* fenster) : QLabel(fenster->termpanel), f(fenster) {
  // The free row under the lower term fields, as wide as the fields reach.
  setGeometry(12, 69, 734, 18);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  f->PaintBox1->installEventFilter(this);
}

bool Statuszeile::eventFilter(QObject*, QEvent* e) {
  if (e->type() == QEvent::MouseMove) {
    auto* m = static_cast<QMouseEvent*>(e);
    zeiger = m->position().toPoint();
    umschalt = m->modifiers() & Qt::ShiftModifier;
  } else if (e->type() == QEvent::Leave) {
    zeiger.reset();
  } else if (e->type() != QEvent::Paint || !zeiger) {
    return false;
  }
  // After the drawing's own handler, which may move A and redraw; a repaint
  // (an animation, an undo) may move the curves under a pointer at rest.
  if (!vorgemerkt) {
    vorgemerkt = true;
    QTimer::singleShot(0, this, [this] {
      vorgemerkt = false;
      zeigen(zeiger, umschalt);
    });
  }
  return false;
}

void Statuszeile::zeigen(std::optional<QPoint> ort, bool shift) {
  if (!ort) {
    clear();
    f->PaintBox1->kreuzsetzen(std::nullopt);
    return;
  }
  const std::vector<Kurve> kurven = gezeichnetekurven();
  const double anfang = editwert(steuer.ed_xvon), ende = editwert(steuer.ed_xbis);
  std::optional<Kurvenpunkt> punkt;
  if (shift && ziehmodus == 0 && !kurven.empty() && kurven.front().name == u"f1") {
    // A follows the pointer: the point is A on f1.
    const double a = editwert(steuer.ed_A);
    punkt = Kurvenpunkt{0, a, fktwert(kurven.front().term, a), 0};
    if (fehlercode != wert_gueltig) punkt.reset();
  } else {
    punkt = naechstekurve(kurven, ort->x(), ort->y(), fangradius, anfang, ende);
  }
  if (!punkt) {
    setText(QStringLiteral("x = %1; y = %2")
                .arg(QString::fromStdU16String(koordinatentext(weltx(ort->x()), fx)),
                     QString::fromStdU16String(koordinatentext(welty(ort->y()), fy))));
    f->PaintBox1->kreuzsetzen(std::nullopt);
    return;
  }
  setText(QStringLiteral("%1: (%2; %3)")
              .arg(QString::fromStdU16String(kurven[punkt->kurve].name),
                   QString::fromStdU16String(koordinatentext(punkt->x, fx)),
                   QString::fromStdU16String(koordinatentext(punkt->y, fy))));
  const double c = pixelx(punkt->x), r = pixely(punkt->y);
  if (darstellbar(c) && darstellbar(r)) f->PaintBox1->kreuzsetzen(QPoint(Round(c), Round(r)));
  else f->PaintBox1->kreuzsetzen(std::nullopt);
}
