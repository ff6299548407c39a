// Moving and scaling the view window with the buttons, the menu and the mouse,
// and dragging the points A and B along the x axis.
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

int ziehmodus = 0;
bool rahmenaktiv = false;
int rx0 = 0, ry0 = 0, rx1 = 0, ry1 = 0;

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
  // Each axis shrinks to 80 % about its middle unless its range would fall below 0.05.
  ansicht_aendern([] {
    const double x0 = xmin, x1 = xmax, y0 = ymin, y1 = ymax;
    const double dx = (xmax - xmin) / 10;
    xmin += dx;
    xmax -= dx;
    if (std::fabs(xmin - xmax) < 0.05) xmin = x0, xmax = x1;
    const double dy = (ymax - ymin) / 10;
    ymin += dy;
    ymax -= dy;
    if (std::fabs(ymin - ymax) < 0.05) ymin = y0, ymax = y1;
  });
  neuzeichnen();
}

void TFGraf::SkleinerClick() {
  ansicht_aendern([] {
    const double dx = (xmax - xmin) / 10;
    xmin -= dx;
    xmax += dx;
    const double dy = (ymax - ymin) / 10;
    ymin -= dy;
    ymax += dy;
  });
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
  }
}

void TFGraf::PaintBox1MouseMove(int X, int Y) {
  const QRgb farbe = PaintBox1->pixel(X, Y);
  if (farbe == gelb || farbe == gruen || ziehmodus != 0) {
    PaintBox1->setCursor(Qt::PointingHandCursor);
    if (ziehmodus == 1) {
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
