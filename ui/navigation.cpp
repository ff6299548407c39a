// Moving and scaling the view window with the buttons, the menu and the mouse,
// and dragging the points A and B along the x axis; with Shift held A follows
// the pointer without a press.
#include <QLineEdit>
#include <QPainter>
#include <cmath>
#include <cstdlib>

#include "abbildung.h"
#include "arbeitsblatt.h"
#include "graf_rus.h"
#include "paintbox.h"
#include "steuerzustand.h"
#include "zahltext.h"

using namespace abbildung;

int ziehmodus = 0;
bool rahmenaktiv = false;
int rx0 = 0, ry0 = 0, rx1 = 0, ry1 = 0;
bool schiebeaktiv = false;
int sx = 0, sy = 0;

namespace {

// The fill colours of the markers of A and B; the mouse knows the points only by them.
const QRgb gelb = qRgb(255, 255, 0);
const QRgb gruen = qRgb(0, 255, 0);

double breite(const TPaintBox* p) { return p->width(); }
double hoehe(const TPaintBox* p) { return p->height(); }

// Far out or zoomed without end, doubles can no longer hold a window: the range
// vanishes in rounding or overflows. Such a step is refused and the view stays.
template <class Schritt>
void ansicht_aendern(Schritt schritt) {
  const double x0 = xmin, x1 = xmax, y0 = ymin, y1 = ymax;
  schritt();
  if (brauchbar(Sicht{xmin, xmax, ymin, ymax})) return;
  xmin = x0, xmax = x1, ymin = y0, ymax = y1;
}

// Moves a range by a fifth of its width; richtung is +1 or -1.
void verschieben(double& von, double& bis, double richtung) {
  const double d = richtung * ((bis - von) / 5);
  von += d;
  bis += d;
}

// One zoom step of an axis about the point at the fraction t of its range (0.5:
// the middle): richtung -1 takes a tenth of the range off each side (80 % in
// all), +1 adds one (120 %); off centre the point keeps its place.
void zoomschritt(double& von, double& bis, double t, double richtung) {
  const double d = (bis - von) / 10;
  von -= richtung * 2 * d * t;
  bis += richtung * 2 * d * (1 - t);
}

// Zoom in: an axis whose range would fall below 0.05 stays as it was,
// independently of the other axis.
void hinein(double& von, double& bis, double t) {
  const double v = von, b = bis;
  zoomschritt(von, bis, t, -1);
  if (std::fabs(von - bis) < 0.05) von = v, bis = b;
}

void zoomen(double tx, double ty, bool einwaerts) {
  ansicht_aendern([=] {
    if (einwaerts) {
      hinein(xmin, xmax, tx);
      hinein(ymin, ymax, ty);
    } else {
      zoomschritt(xmin, xmax, tx, 1);
      zoomschritt(ymin, ymax, ty, 1);
    }
  });
}

}  // namespace

void TFGraf::yausx() {
  const double W = breite(PaintBox1), H = hoehe(PaintBox1);
  if (W <= 0 || H <= 0) return;
  ansicht_aendern([=] {
    ymin = H * xmin / W;
    ymax = H * xmax / W;
  });
}

void TFGraf::slinksClick() {
  ansicht_aendern([] { verschieben(xmin, xmax, 1); });
  neuzeichnen();
}

void TFGraf::srechtsClick() {
  ansicht_aendern([] { verschieben(xmin, xmax, -1); });
  neuzeichnen();
}

void TFGraf::shochClick() {
  ansicht_aendern([] { verschieben(ymin, ymax, -1); });
  neuzeichnen();
}

void TFGraf::srunterClick() {
  ansicht_aendern([] { verschieben(ymin, ymax, 1); });
  neuzeichnen();
}

void TFGraf::sgroesserClick() {
  zoomen(0.5, 0.5, true);
  neuzeichnen();
}

void TFGraf::SkleinerClick() {
  zoomen(0.5, 0.5, false);
  neuzeichnen();
}

void TFGraf::PaintBox1MouseWheel(int X, int Y, int raster) {
  // Each notch away from the user zooms in one step, towards him out; the point
  // under the pointer stays where it is (the plain proportion of the zoom drag).
  const double W = breite(PaintBox1), H = hoehe(PaintBox1);
  if (raster == 0 || W <= 0 || H <= 0) return;
  for (int i = 0; i < std::abs(raster); ++i) zoomen(X / W, (H - Y) / H, raster > 0);
  neuzeichnen();
}

void TFGraf::SgrundClick() {
  xmin = -6;
  xmax = 6;
  yausx();
  neuzeichnen();
}

void TFGraf::S31Click() {
  yausx();
  neuzeichnen();
}

void TFGraf::rahmenzeichnen(int x0, int y0, int x1, int y1) {
  // Inverting the pixels makes a second drawing of the same outline remove it.
  const int l = std::min(x0, x1), r = std::max(x0, x1);
  const int o = std::min(y0, y1), u = std::max(y0, y1);
  if (r - l < 1 || u - o < 1) return;
  QPainter p(&PaintBox1->bild);
  p.setCompositionMode(QPainter::RasterOp_NotDestination);
  QPen stift(QColor(192, 192, 192));
  stift.setStyle(Qt::DotLine);
  stift.setWidth(0);
  p.setPen(stift);
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRect(l, o, r - l - 1, u - o - 1));
}

void TFGraf::punktziehen(QLineEdit* feld, int X) {
  feld->setText(QString::fromStdU16String(zahltext(1, 2, weltx(X))));
}

void TFGraf::PaintBox1MouseDown(Qt::MouseButton button, int X, int Y) {
  if (schiebeaktiv) return;
  const QRgb farbe = PaintBox1->pixel(X, Y);
  if (farbe == gelb) {
    ziehmodus = 1;
    rx0 = X;
  } else if (farbe == gruen) {
    ziehmodus = 2;
    rx0 = X;
  } else if (button == Qt::LeftButton) {
    rx0 = rx1 = X;
    ry0 = ry1 = Y;
    rahmenaktiv = true;
  } else if (button == Qt::MiddleButton && !rahmenaktiv && ziehmodus == 0) {
    // The middle button drags the picture along with the pointer.
    schiebeaktiv = true;
    sx = X;
    sy = Y;
    PaintBox1->setCursor(Qt::ClosedHandCursor);
  }
}

void TFGraf::bildschieben(int X, int Y) {
  const double W = breite(PaintBox1), H = hoehe(PaintBox1);
  if (W <= 0 || H <= 0) return;
  ansicht_aendern([=] {
    const double dx = (X - sx) / W * (xmax - xmin), dy = (Y - sy) / H * (ymax - ymin);
    xmin -= dx, xmax -= dx;
    ymin += dy, ymax += dy;
  });
  sx = X;
  sy = Y;
  neuzeichnen();
}

void TFGraf::PaintBox1MouseMove(int X, int Y) {
  if (schiebeaktiv) {
    bildschieben(X, Y);
    return;
  }
  // With Shift held A follows the pointer along f1, as when its marker is dragged.
  const bool folgen = ziehmodus == 0 && !rahmenaktiv && (PaintBox1->tasten & Qt::ShiftModifier);
  const QRgb farbe = PaintBox1->pixel(X, Y);
  if (farbe == gelb || farbe == gruen || ziehmodus != 0 || folgen) {
    PaintBox1->setCursor(Qt::PointingHandCursor);
    if (ziehmodus == 1 || folgen) {
      punktziehen(ed_A, X);
      PaintBox1Paint();
    } else if (ziehmodus == 2) {
      punktziehen(ed_B, X);
      PaintBox1Paint();
    }
    return;
  }
  PaintBox1->setCursor(Qt::ArrowCursor);
  if (!rahmenaktiv) return;
  rahmenzeichnen(rx0, ry0, rx1, ry1);
  rahmenzeichnen(rx0, ry0, X, Y);
  PaintBox1->zeigen();
  rx1 = X;
  ry1 = Y;
}

void TFGraf::PaintBox1MouseUp(int X, int) {
  if (schiebeaktiv) {
    schiebeaktiv = false;
    PaintBox1->setCursor(Qt::ArrowCursor);
    return;
  }
  if (ziehmodus == 1 || ziehmodus == 2) {
    punktziehen(ziehmodus == 1 ? ed_A : ed_B, X);
    ziehmodus = 0;
    PaintBox1Paint();
    return;
  }
  if (!rahmenaktiv) return;
  if (std::abs(rx1 - rx0) > 10 && std::abs(ry1 - ry0) > 10) {
    // Plain proportions of the drawing's size, both corners from the old bounds.
    const double W = breite(PaintBox1), H = hoehe(PaintBox1);
    ansicht_aendern([=] {
      const double xa = xmin + rx0 / W * (xmax - xmin);
      const double xb = xmin + rx1 / W * (xmax - xmin);
      if (xa < xb) xmin = xa, xmax = xb;
      else xmax = xa, xmin = xb;
      if (std::fabs(xmin - xmax) < 0.01) xmax = xmin + 0.01;
      const double ya = ymin + (H - ry0) / H * (ymax - ymin);
      const double yb = ymin + (H - ry1) / H * (ymax - ymin);
      if (ya < yb) ymin = ya, ymax = yb;
      else ymax = ya, ymin = yb;
      if (std::fabs(ymin - ymax) < 0.01) ymax = ymin + 0.01;
    });
    neuzeichnen();
  }
  rahmenaktiv = false;
}
