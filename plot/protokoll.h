// A canvas that writes each call as one line of text into a log, for tests and
// the probe. It can pass every call on to another canvas, so that a picture and
// its log come from the same drawing; alone it measures text with a fixed cell
// of 7 x 14 pixels per character and remembers set pixels.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "canvas.h"

class ProtokollCanvas : public Canvas {
 public:
  // log: where the lines go (shared with the bitmaps this canvas creates);
  // weiter: the canvas that does the drawing, or none.
  explicit ProtokollCanvas(std::vector<std::string>& log, Canvas* weiter = nullptr);

  void setPenColor(TColor c) override;
  void setPenWidth(int w) override;
  void setPenStyle(TPenStyle s) override;
  void setPenMode(TPenMode m) override;
  void setBrushColor(TColor c) override;
  void setBrushStyle(TBrushStyle s) override;
  void setFontName(std::u16string_view name) override;
  void setFontSize(int points) override;
  void setFontColor(TColor c) override;
  void setTransparentBackground(bool t) override;

  void MoveTo(int x, int y) override;
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

  Canvas* weitergabe() { return weiter; }

 private:
  void schreiben(std::string zeile);

  std::vector<std::string>& log;
  Canvas* weiter;
  std::map<std::pair<int, int>, TColor> pixel;  // without a canvas behind it
};

// Bitmap of a recording canvas: its canvas logs into the same log and draws
// into a bitmap of the canvas behind, if there is one.
class ProtokollBitmap : public Bitmap {
 public:
  ProtokollBitmap(std::vector<std::string>& log, Canvas* weiter, int breite, int hoehe);
  int Width() const override { return b; }
  int Height() const override { return h; }
  Canvas& canvas() override { return *leinwand; }
  Bitmap* weitergabe() { return innen.get(); }

 private:
  int b, h;
  std::unique_ptr<Bitmap> innen;
  std::unique_ptr<ProtokollCanvas> leinwand;
};

// Log texts, for building expected lines in tests.
std::string utf8text(std::u16string_view s);
std::string farbtext(TColor c);  // six hex digits BBGGRR
