// The canvas over QPainter. On a QImage of 32-bit pixels the one-pixel lines and
// single pixels are set by our own rasteriser, so that the end pixel of LineTo is
// left out and the inverting pen touches each pixel once; everything else, and
// every other paint device, goes through QPainter.
#pragma once

#include <QImage>
#include <QPainter>

#include "canvas.h"

// Pins "Verdana" and "MS Sans Serif" to DejaVu Sans.
void schriftersatz();

TColor qtfarbe_zu_tcolor(QRgb rgb);
QRgb tcolor_zu_qtfarbe(TColor c);

// Shapes and texts beyond this distance from the surface are invisible; nearer
// coordinates are clamped so that every later arithmetic (the painter's fixed
// point, a metafile reader's) stays sound.
inline constexpr int formgrenze = 1 << 20;
int klemmen(int v);

QString qtext(std::u16string_view s);

// The part t0..t1 (of 0..1) of the segment from (x0, y0) to (x1, y1) that lies on a
// surface of breite × hoehe widened by rand on every side; false when none does.
bool linieschneiden(int x0, int y0, int x1, int y1, int breite, int hoehe, double rand, double& t0,
                    double& t1);

class Canvas;
// The image behind a canvas of ours; other canvases have none to copy from.
QImage* bildvon(Canvas& c);

class QtCanvas : public Canvas {
 public:
  // Paints on an image; pixels and one-pixel lines go straight into its memory.
  explicit QtCanvas(QImage& bild);
  // Paints on any device (printer, vector generators, widgets) through QPainter.
  explicit QtCanvas(QPaintDevice& geraet);
  ~QtCanvas() override;
  QtCanvas(const QtCanvas&) = delete;
  QtCanvas& operator=(const QtCanvas&) = delete;

  void LineTo(int x, int y) override;
  void Polygon(std::span<const TPoint> points) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  TColor Pixels(int x, int y) override;
  void Pixels(int x, int y, TColor c) override;
  void TextOut(int x, int y, std::u16string_view s) override;
  TSize TextExtent(std::u16string_view s) override;
  void Draw(int x, int y, Bitmap& bild) override;
  void StretchDraw(const TRect& ziel, Bitmap& bild) override;
  void CopyRect(const TRect& ziel, Canvas& quelle, const TRect& quellrect) override;
  std::unique_ptr<Bitmap> neuesBitmap(int breite, int hoehe) override;

  QPainter& painter() { return maler; }
  QImage* image() { return bild; }

 private:
  void stiftsetzen();
  void pinselsetzen();
  void schriftsetzen();
  void rasterlinie(int x0, int y0, int x1, int y1);
  void malerlinie(int x0, int y0, int x1, int y1);
  void formrahmen(int& x1, int& y1, int& x2, int& y2);

  QPaintDevice* geraet;
  QImage* bild = nullptr;  // set when the device is a 32-bit image
  QPainter maler;
  int breite, hoehe;
  std::u16string schriftname;  // font last given to the painter
  int schriftgroesse = 0;
};

// An offscreen image of 32-bit pixels, 96 dots per inch, initially white.
class QtBitmap : public Bitmap {
 public:
  QtBitmap(int breite, int hoehe);
  int Width() const override { return bild.width(); }
  int Height() const override { return bild.height(); }
  Canvas& canvas() override { return *leinwand; }
  QImage& image() { return bild; }

 private:
  QImage bild;
  std::unique_ptr<QtCanvas> leinwand;
};
