// The drawing surface every drawing routine works on: pen, brush and font state
// plus the drawing operations. Realisations: a QPainter canvas (screen image,
// offscreen image, printer, vector files) and a recording canvas for tests.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

// Colour 0x00BBGGRR: red in the low byte, blue in the high byte.
using TColor = std::uint32_t;

// What reading a pixel gives where there is none: off the surface, or on a canvas
// without pixels. No colour has a high byte, so it never equals one.
inline constexpr TColor keinpixel = 0xFFFFFFFF;

enum TPenStyle { psSolid, psDot, psClear };
enum TPenMode { pmCopy, pmNot };
enum TBrushStyle { bsSolid, bsClear };

struct TPoint {
  int x = 0;
  int y = 0;
};

// Right and bottom are exclusive.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

struct TSize {
  int cx = 0;
  int cy = 0;
};

struct TPen {
  TColor Color = 0x000000;
  int Width = 1;
  TPenStyle Style = psSolid;
  TPenMode Mode = pmCopy;
};

struct TBrush {
  TColor Color = 0xFFFFFF;
  TBrushStyle Style = bsSolid;
};

struct TFont {
  std::u16string Name = u"MS Sans Serif";
  int Size = 8;  // points
  TColor Color = 0x000000;
};

class Bitmap;

class Canvas {
 public:
  virtual ~Canvas() = default;

  // State. The setters are virtual so that a realisation can follow or log them;
  // the base keeps the values.
  virtual void setPenColor(TColor c) { pen.Color = c; }
  virtual void setPenWidth(int w) { pen.Width = w < 1 ? 1 : w; }
  virtual void setPenStyle(TPenStyle s) { pen.Style = s; }
  virtual void setPenMode(TPenMode m) { pen.Mode = m; }
  // A colour given to a clear brush makes it solid.
  virtual void setBrushColor(TColor c) { brush.Color = c; brush.Style = bsSolid; }
  virtual void setBrushStyle(TBrushStyle s) { brush.Style = s; }
  virtual void setFontName(std::u16string_view name) { font.Name = name; }
  virtual void setFontSize(int points) { font.Size = points; }
  virtual void setFontColor(TColor c) { font.Color = c; }
  // Transparent: the gaps of dotted lines are left untouched; opaque: they are white.
  virtual void setTransparentBackground(bool t) { transparent = t; }

  const TPen& Pen() const { return pen; }
  const TBrush& Brush() const { return brush; }
  const TFont& Font() const { return font; }
  bool transparentBackground() const { return transparent; }
  TPoint PenPos() const { return penpos; }

  // Lines: LineTo leaves out the end pixel. Coordinates may lie far outside the
  // surface (up to the 32-bit range); the canvas clips.
  virtual void MoveTo(int x, int y) { penpos = {x, y}; }
  virtual void LineTo(int x, int y) = 0;
  // Shapes are filled with a solid brush and outlined with the pen; right and
  // bottom edges are exclusive.
  virtual void Polygon(std::span<const TPoint> points) = 0;
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  virtual TColor Pixels(int x, int y) = 0;
  virtual void Pixels(int x, int y, TColor c) = 0;
  // Top-left corner of the text at (x, y); a solid brush fills the text cell first.
  virtual void TextOut(int x, int y, std::u16string_view s) = 0;
  virtual TSize TextExtent(std::u16string_view s) = 0;
  int TextWidth(std::u16string_view s) { return TextExtent(s).cx; }
  virtual void Draw(int x, int y, Bitmap& bild) = 0;
  virtual void StretchDraw(const TRect& ziel, Bitmap& bild) = 0;
  virtual void CopyRect(const TRect& ziel, Canvas& quelle, const TRect& quellrect) = 0;

  // An offscreen bitmap that fits this canvas: width x height pixels, white,
  // with its own canvas. Draw and StretchDraw accept bitmaps of this kind.
  virtual std::unique_ptr<Bitmap> neuesBitmap(int breite, int hoehe) = 0;

 protected:
  TPen pen;
  TBrush brush;
  TFont font;
  bool transparent = false;
  TPoint penpos;
};

class Bitmap {
 public:
  virtual ~Bitmap() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual Canvas& canvas() = 0;
};
