// A canvas that records an enhanced metafile: every drawing call becomes EMF
// records, written through libUEMF. The picture frame is the W x H drawing at
// 96 pixels per inch, the resolution of the screen it stands in for. Texts are
// measured with the font a reader draws them with, so labels placed by width
// fit there as they do on screen.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

struct EmfSpur;  // the library's record buffer and handle table

class EmfCanvas : public Canvas {
 public:
  EmfCanvas(int breite, int hoehe);
  ~EmfCanvas() override;
  EmfCanvas(const EmfCanvas&) = delete;
  EmfCanvas& operator=(const EmfCanvas&) = delete;

  void LineTo(int x, int y) override;
  void Polygon(std::span<const TPoint> points) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  // A metafile cannot be read back; it reads as white.
  TColor Pixels(int x, int y) override;
  void Pixels(int x, int y, TColor c) override;
  void TextOut(int x, int y, std::u16string_view s) override;
  TSize TextExtent(std::u16string_view s) override;
  void Draw(int x, int y, Bitmap& bild) override;
  void StretchDraw(const TRect& ziel, Bitmap& bild) override;
  void CopyRect(const TRect& ziel, Canvas& quelle, const TRect& quellrect) override;
  std::unique_ptr<Bitmap> neuesBitmap(int breite, int hoehe) override;

  // Ends the recording and returns the metafile's bytes; the canvas takes no
  // further drawing after it. Empty when the library failed.
  std::vector<char> beenden();

 private:
  bool anhaengen(char* satz);
  void stiftwaehlen();
  void pinselwaehlen();
  void schriftwaehlen();
  void hintergrund(bool durchsichtig);
  void rop(TPenMode m);
  void bildsatz(const TRect& ziel, Canvas& von, const TRect& quelle);

  EmfSpur* spur;
  int breite, hoehe;
  bool fertig = false;
  // What the metafile has selected now, so that a record is written only on change.
  TPen gewaehlterstift;
  bool stiftda = false;
  TBrush gewaehlterpinsel;
  bool pinselda = false;
  TFont gewaehlteschrift;
  bool schriftda = false;
  int hintergrundmodus = 0;
  TPenMode gewaehlterrop = pmCopy;
  TPoint aktuell{};  // the metafile's current position
  TColor textfarbe = 0xFFFFFFFF;
};

// Size in pixels of the font a reader uses for `points` at 96 pixels per inch.
int emfschrifthoehe(int points);
