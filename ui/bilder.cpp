#include "bilder.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace {

// Strokes in a 16 x 16 grid: x0, y0, x1, y1.
struct Strich {
  float x0, y0, x1, y1;
};

// An arrow from (x0, y0) to its tip (x1, y1), with the two strokes of its head.
void pfeil(QPainter& p, float x0, float y0, float x1, float y1, float kopf) {
  p.drawLine(QPointF(x0, y0), QPointF(x1, y1));
  const double w = std::atan2(y1 - y0, x1 - x0);
  for (double seite : {2.5, -2.5}) {
    const double a = w + seite;
    p.drawLine(QPointF(x1, y1), QPointF(x1 + kopf * std::cos(a), y1 + kopf * std::sin(a)));
  }
}

const Strich pfeile[][4] = {
    {{14, 8, 2, 8}},                                                    // links
    {{8, 14, 8, 2}},                                                    // hoch
    {{8, 2, 8, 14}},                                                    // runter
    {{2, 8, 14, 8}},                                                    // rechts
    {{6, 6, 1.5, 1.5}, {10, 6, 14.5, 1.5}, {6, 10, 1.5, 14.5}, {10, 10, 14.5, 14.5}},  // groesser
    {{1, 1, 6, 6}, {15, 1, 10, 6}, {1, 15, 6, 10}, {15, 15, 10, 10}},  // kleiner
};

}  // namespace

QIcon bildsymbol(Bild art) {
  QPixmap bild(32, 32);
  bild.fill(Qt::transparent);
  QPainter p(&bild);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(2, 2);
  p.setPen(QPen(QColor(0, 0, 128), 1.6, Qt::SolidLine, Qt::RoundCap));
  const int n = static_cast<int>(art);
  if (art == Bild::grund) {
    // A circular arrow: three quarters of a circle with a head at its end.
    p.drawArc(QRectF(3, 3, 10, 10), 90 * 16, 270 * 16);
    pfeil(p, 8, 3, 11, 3, 3.5);
  } else {
    const float kopf = n < 4 ? 4.5f : 3.5f;
    for (const Strich& s : pfeile[n])
      if (s.x0 != s.x1 || s.y0 != s.y1) pfeil(p, s.x0, s.y0, s.x1, s.y1, kopf);
  }
  p.end();
  return QIcon(bild);
}

QImage logobild() {
  QImage bild(138, 150, QImage::Format_ARGB32_Premultiplied);
  bild.fill(Qt::transparent);
  QPainter p(&bild);
  p.setRenderHint(QPainter::Antialiasing);
  // A rounded sheet with axes, a blue curve and a yellow point on it.
  p.setPen(QPen(QColor(0, 0, 128), 4));
  p.setBrush(QColor(235, 242, 255));
  p.drawRoundedRect(QRectF(4, 4, 130, 142), 18, 18);
  p.setPen(QPen(Qt::black, 3));
  p.drawLine(14, 84, 124, 84);
  p.drawLine(69, 136, 69, 14);
  p.drawLine(124, 84, 114, 78);
  p.drawLine(124, 84, 114, 90);
  p.drawLine(69, 14, 63, 24);
  p.drawLine(69, 14, 75, 24);
  QPainterPath kurve;
  for (int i = 0; i <= 110; ++i) {
    const double x = 14 + i, y = 84 - 40 * std::sin((i - 55) / 17.0) * (0.4 + i / 160.0);
    if (i == 0) kurve.moveTo(x, y);
    else kurve.lineTo(x, y);
  }
  p.setPen(QPen(QColor(0, 0, 255), 6, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(kurve);
  p.setPen(QPen(Qt::black, 3));
  p.setBrush(QColor(255, 255, 0));
  const double ax = 14 + 82, ay = 84 - 40 * std::sin((82 - 55) / 17.0) * (0.4 + 82 / 160.0);
  p.drawEllipse(QPointF(ax, ay), 9, 9);
  return bild;
}
