#include "qtcanvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr TColor weiss = 0xFFFFFF;

using i128 = __int128;

// Smallest integer >= a / b, for b > 0.
i128 aufrunden(i128 a, i128 b) { return a >= 0 ? (a + b - 1) / b : -((-a) / b); }

bool rasterformat(const QImage& b) {
  return b.format() == QImage::Format_RGB32 || b.format() == QImage::Format_ARGB32;
}

}  // namespace

int klemmen(int v) { return std::clamp(v, -formgrenze, formgrenze); }

QString qtext(std::u16string_view s) {
  return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

// Liang and Barsky: each side of the widened surface cuts the parameter range.
bool linieschneiden(int x0, int y0, int x1, int y1, int breite, int hoehe, double rand, double& t0,
                    double& t1) {
  const double ax = x0, ay = y0, dx = static_cast<double>(x1) - x0, dy = static_cast<double>(y1) - y0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {ax + rand, breite + rand - ax, ay + rand, hoehe + rand - ay};
  t0 = 0, t1 = 1;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
    } else if (p[i] < 0) {
      t0 = std::max(t0, q[i] / p[i]);
    } else {
      t1 = std::min(t1, q[i] / p[i]);
    }
  }
  return t0 <= t1;
}

QImage* bildvon(Canvas& c) {
  if (auto* q = dynamic_cast<QtCanvas*>(&c)) return q->image();
  return nullptr;
}

TColor qtfarbe_zu_tcolor(QRgb rgb) {
  return static_cast<TColor>(qRed(rgb)) | static_cast<TColor>(qGreen(rgb)) << 8 |
         static_cast<TColor>(qBlue(rgb)) << 16;
}

QRgb tcolor_zu_qtfarbe(TColor c) { return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

void schriftersatz() {
  for (const char* name : {"Verdana", "MS Sans Serif"}) {
    QFont::removeSubstitutions(name);
    QFont::insertSubstitution(name, "DejaVu Sans");
  }
}

QtCanvas::QtCanvas(QImage& b) : QtCanvas(static_cast<QPaintDevice&>(b)) {}

QtCanvas::QtCanvas(QPaintDevice& g) : geraet(&g) {
  auto* alsbild = dynamic_cast<QImage*>(&g);
  if (alsbild && rasterformat(*alsbild)) bild = alsbild;
  maler.begin(geraet);
  breite = geraet->width();
  hoehe = geraet->height();
}

QtCanvas::~QtCanvas() {
  if (maler.isActive()) maler.end();
}

void QtCanvas::stiftsetzen() {
  if (pen.Style == psClear) {
    maler.setPen(Qt::NoPen);
  } else {
    QPen p(QColor(tcolor_zu_qtfarbe(pen.Color)));
    p.setWidth(pen.Width);
    p.setStyle(pen.Style == psDot ? Qt::DotLine : Qt::SolidLine);
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    maler.setPen(p);
  }
  if (bild)
    maler.setCompositionMode(pen.Mode == pmNot ? QPainter::RasterOp_NotDestination
                                               : QPainter::CompositionMode_SourceOver);
}

void QtCanvas::pinselsetzen() {
  if (brush.Style == bsSolid)
    maler.setBrush(QColor(tcolor_zu_qtfarbe(brush.Color)));
  else
    maler.setBrush(Qt::NoBrush);
}

void QtCanvas::schriftsetzen() {
  if (font.Name == schriftname && font.Size == schriftgroesse) return;
  QFont f(qtext(font.Name));
  f.setPointSize(font.Size > 0 ? font.Size : 8);
  maler.setFont(f);
  schriftname = font.Name;
  schriftgroesse = font.Size;
}

// Bresenham along the major axis: pixel i of n lies at major + i and at
// minor + floor((2*i*dminor + n) / 2n). Only the indices whose pixel is on the
// surface are visited, found in closed form with 128-bit products, so that
// endpoints anywhere in the 32-bit range cost no more than a short line and
// the clipped pixels are exactly those of the whole line.
void QtCanvas::rasterlinie(int x0, int y0, int x1, int y1) {
  const std::int64_t dx = std::llabs(static_cast<std::int64_t>(x1) - x0);
  const std::int64_t dy = std::llabs(static_cast<std::int64_t>(y1) - y0);
  const bool xhaupt = dx >= dy;
  const std::int64_t n = xhaupt ? dx : dy;
  const std::int64_t dneben = xhaupt ? dy : dx;
  if (n == 0) return;
  const std::int64_t haupt0 = xhaupt ? x0 : y0, neben0 = xhaupt ? y0 : x0;
  const int shaupt = (xhaupt ? x1 >= x0 : y1 >= y0) ? 1 : -1;
  const int sneben = (xhaupt ? y1 >= y0 : x1 >= x0) ? 1 : -1;
  const std::int64_t grosshaupt = xhaupt ? breite : hoehe, grossneben = xhaupt ? hoehe : breite;

  // Index range from the line's own length, cut by the major and the minor
  // axis; a line with both ends on the surface (most curve steps) keeps it whole.
  i128 von = 0, bis = n - 1;
  const bool innen = x0 >= 0 && x1 >= 0 && y0 >= 0 && y1 >= 0 && x0 < breite && x1 < breite && y0 < hoehe &&
                     y1 < hoehe;
  if (!innen) {
    if (shaupt > 0) {
      von = std::max<i128>(von, -haupt0);
      bis = std::min<i128>(bis, grosshaupt - 1 - haupt0);
    } else {
      von = std::max<i128>(von, haupt0 - (grosshaupt - 1));
      bis = std::min<i128>(bis, haupt0);
    }
    // The minor step count k must stay within klo..khi.
    const i128 klo = sneben > 0 ? -neben0 : neben0 - (grossneben - 1);
    const i128 khi = sneben > 0 ? grossneben - 1 - neben0 : neben0;
    if (dneben == 0) {
      if (klo > 0 || khi < 0) return;
    } else {
      von = std::max(von, aufrunden((2 * klo - 1) * n, 2 * static_cast<i128>(dneben)));
      bis = std::min(bis, aufrunden((2 * khi + 1) * n, 2 * static_cast<i128>(dneben)) - 1);
    }
    if (von > bis) return;
  }

  std::int64_t k = 0, rest = n;  // at index 0
  if (von > 0) {
    const i128 zaehler = 2 * von * dneben + n;
    k = static_cast<std::int64_t>(zaehler / (2 * n));
    rest = static_cast<std::int64_t>(zaehler % (2 * n));
  }
  const QRgb farbe = tcolor_zu_qtfarbe(pen.Color);
  const QRgb luecke = tcolor_zu_qtfarbe(weiss);
  const bool punkte = pen.Style == psDot;
  const bool umkehren = pen.Mode == pmNot;
  uchar* daten = bild->bits();
  const qsizetype zeilenlaenge = bild->bytesPerLine();
  for (std::int64_t i = static_cast<std::int64_t>(von); i <= static_cast<std::int64_t>(bis); ++i) {
    const std::int64_t h = haupt0 + shaupt * i, m = neben0 + sneben * k;
    const std::int64_t x = xhaupt ? h : m, y = xhaupt ? m : h;
    QRgb& p = reinterpret_cast<QRgb*>(daten + y * zeilenlaenge)[x];
    const bool an = !punkte || (i / 3) % 2 == 0;  // dots: three on, three off
    if (umkehren) {
      if (an) p ^= 0x00FFFFFF;
    } else if (an) {
      p = farbe;
    } else if (!transparent) {
      p = luecke;
    }
    rest += 2 * dneben;
    if (rest >= 2 * n) {
      rest -= 2 * n;
      ++k;
    }
  }
}

// Wide pens and vector devices: the segment is cut to the surface (with a
// margin for the pen) before QPainter sees it.
void QtCanvas::malerlinie(int x0, int y0, int x1, int y1) {
  double t0, t1;
  if (!linieschneiden(x0, y0, x1, y1, breite, hoehe, pen.Width + 2, t0, t1)) return;
  const double dx = static_cast<double>(x1) - x0, dy = static_cast<double>(y1) - y0;
  stiftsetzen();
  maler.drawLine(QPointF(x0 + t0 * dx, y0 + t0 * dy), QPointF(x0 + t1 * dx, y0 + t1 * dy));
}

void QtCanvas::LineTo(int x, int y) {
  const TPoint von = penpos;
  penpos = {x, y};
  if (pen.Style == psClear) return;
  if (bild && pen.Width == 1)
    rasterlinie(von.x, von.y, x, y);
  else
    malerlinie(von.x, von.y, x, y);
}

void QtCanvas::Polygon(std::span<const TPoint> punkte) {
  QPolygon eck;
  for (const TPoint& p : punkte) eck << QPoint(klemmen(p.x), klemmen(p.y));
  stiftsetzen();
  pinselsetzen();
  maler.drawPolygon(eck);
}

// Orders the corners and clamps them.
void QtCanvas::formrahmen(int& x1, int& y1, int& x2, int& y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  x1 = klemmen(x1), x2 = klemmen(x2), y1 = klemmen(y1), y2 = klemmen(y2);
}

void QtCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  formrahmen(x1, y1, x2, y2);
  if (x2 - x1 < 1 || y2 - y1 < 1) return;
  stiftsetzen();
  pinselsetzen();
  // A pen's outline covers the rectangle's last row and column, so the
  // rectangle given to the painter is one pixel smaller.
  const int weniger = pen.Style == psClear ? 0 : 1;
  maler.drawEllipse(QRectF(x1, y1, x2 - x1 - weniger, y2 - y1 - weniger));
}

void QtCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  formrahmen(x1, y1, x2, y2);
  if (x2 - x1 < 1 || y2 - y1 < 1) return;
  if (bild && pen.Width == 1 && pen.Style != psClear && x2 - x1 >= 2 && y2 - y1 >= 2) {
    // The border as a closed run of lines without end pixels: each pixel once,
    // so an inverting pen leaves no doubly inverted corners.
    if (brush.Style == bsSolid) {
      const int l = std::max(x1 + 1, 0), r = std::min(x2 - 1, breite);
      const QRgb fuellung = tcolor_zu_qtfarbe(brush.Color);
      for (int y = std::max(y1 + 1, 0); y < std::min(y2 - 1, hoehe); ++y) {
        QRgb* zeile = reinterpret_cast<QRgb*>(bild->scanLine(y));
        for (int x = l; x < r; ++x) zeile[x] = pen.Mode == pmNot ? zeile[x] ^ 0x00FFFFFF : fuellung;
      }
    }
    rasterlinie(x1, y1, x2 - 1, y1);
    rasterlinie(x2 - 1, y1, x2 - 1, y2 - 1);
    rasterlinie(x2 - 1, y2 - 1, x1, y2 - 1);
    rasterlinie(x1, y2 - 1, x1, y1);
    return;
  }
  stiftsetzen();
  pinselsetzen();
  const int weniger = pen.Style == psClear ? 0 : 1;
  maler.drawRect(QRectF(x1, y1, x2 - x1 - weniger, y2 - y1 - weniger));
}

TColor QtCanvas::Pixels(int x, int y) {
  if (!bild || x < 0 || y < 0 || x >= breite || y >= hoehe) return keinpixel;
  return qtfarbe_zu_tcolor(reinterpret_cast<const QRgb*>(bild->constScanLine(y))[x]);
}

void QtCanvas::Pixels(int x, int y, TColor c) {
  if (x < 0 || y < 0 || x >= breite || y >= hoehe) return;
  if (bild) {
    reinterpret_cast<QRgb*>(bild->scanLine(y))[x] = tcolor_zu_qtfarbe(c);
    return;
  }
  maler.setCompositionMode(QPainter::CompositionMode_SourceOver);
  maler.setPen(QPen(QColor(tcolor_zu_qtfarbe(c)), 0));
  maler.drawPoint(x, y);
}

void QtCanvas::TextOut(int x, int y, std::u16string_view s) {
  if (x > breite || y > hoehe || x < -formgrenze || y < -formgrenze) return;
  schriftsetzen();
  const QString text = qtext(s);
  const QFontMetrics fm = maler.fontMetrics();
  if (bild) maler.setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (brush.Style == bsSolid)
    maler.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()), QColor(tcolor_zu_qtfarbe(brush.Color)));
  maler.setPen(QColor(tcolor_zu_qtfarbe(font.Color)));
  maler.drawText(x, y + fm.ascent(), text);
}

TSize QtCanvas::TextExtent(std::u16string_view s) {
  schriftsetzen();
  const QFontMetrics fm = maler.fontMetrics();
  return {fm.horizontalAdvance(qtext(s)), fm.height()};
}

void QtCanvas::Draw(int x, int y, Bitmap& b) {
  QImage* quelle = bildvon(b.canvas());
  if (!quelle) return;
  if (bild) maler.setCompositionMode(QPainter::CompositionMode_SourceOver);
  maler.drawImage(QPoint(klemmen(x), klemmen(y)), *quelle);
}

void QtCanvas::StretchDraw(const TRect& r, Bitmap& b) {
  QImage* quelle = bildvon(b.canvas());
  if (!quelle) return;
  if (bild) maler.setCompositionMode(QPainter::CompositionMode_SourceOver);
  maler.drawImage(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), *quelle);
}

void QtCanvas::CopyRect(const TRect& z, Canvas& q, const TRect& qr) {
  QImage* quelle = bildvon(q);
  if (!quelle) return;
  if (bild) maler.setCompositionMode(QPainter::CompositionMode_SourceOver);
  maler.drawImage(QRect(z.Left, z.Top, z.Right - z.Left, z.Bottom - z.Top), *quelle,
                  QRect(qr.Left, qr.Top, qr.Right - qr.Left, qr.Bottom - qr.Top));
}

std::unique_ptr<Bitmap> QtCanvas::neuesBitmap(int b, int h) { return std::make_unique<QtBitmap>(b, h); }

QtBitmap::QtBitmap(int b, int h) : bild(std::max(b, 1), std::max(h, 1), QImage::Format_RGB32) {
  bild.fill(Qt::white);
  // 96 dots per inch, as on the screen, so that a 9 point font is 12 pixels high.
  bild.setDotsPerMeterX(3780);
  bild.setDotsPerMeterY(3780);
  leinwand = std::make_unique<QtCanvas>(bild);
}
