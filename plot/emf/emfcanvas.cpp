#include "emfcanvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "qtcanvas.h"

extern "C" {
#include <uemf.h>
}

struct EmfSpur {
  EMFTRACK* et = nullptr;
  EMFHANDLES* eht = nullptr;
  uint32_t stift = 0, pinsel = 0, schrift = 0;  // handles of the selected objects
  bool gut = true;
};

namespace {

constexpr double dpi = 96;
U_COLORREF farbe(TColor c) { return colorref3_set(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

U_POINTL punkt(int x, int y) { return point32_set(x, y); }

U_RECTL rechteck(int l, int t, int r, int b) {
  U_RECTL z;
  z.left = l, z.top = t, z.right = r, z.bottom = b;
  return z;
}

QFont leserschrift(const TFont& f) {
  QFont q(qtext(f.Name));
  q.setPixelSize(emfschrifthoehe(f.Size));
  return q;
}

}  // namespace

int emfschrifthoehe(int points) {
  return std::max(1, static_cast<int>(std::lround((points > 0 ? points : 8) * dpi / 72.0)));
}

EmfCanvas::EmfCanvas(int b, int h) : spur(new EmfSpur), breite(std::max(b, 1)), hoehe(std::max(h, 1)) {
  // The library has no memory-only mode: it records into its buffer and would
  // write the file at the end; we take the buffer and give it a sink.
  if (emf_start("/dev/null", 1 << 16, 1 << 16, &spur->et) || emf_htable_create(128, 128, &spur->eht)) {
    spur->gut = false;
    return;
  }
  // Bounds in device pixels, frame in 0.01 mm, device the reference screen at 96 dpi.
  const U_RECTL grenzen = rechteck(0, 0, breite, hoehe);
  const auto mm100 = [](int px) { return static_cast<int>(std::lround(px * 2540.0 / dpi)); };
  const U_RECTL rahmen = rechteck(0, 0, mm100(breite), mm100(hoehe));
  const U_SIZEL geraet = sizel_set(1920, 1080);
  const U_SIZEL millimeter = sizel_set(508, 286);
  anhaengen(U_EMRHEADER_set(grenzen, rahmen, nullptr, 0, nullptr, geraet, millimeter, 0));
  anhaengen(U_EMRSETMAPMODE_set(U_MM_TEXT));
  anhaengen(U_EMRSETTEXTALIGN_set(U_TA_BASELINE | U_TA_LEFT | U_TA_NOUPDATECP));
  anhaengen(U_EMRSETBKCOLOR_set(farbe(0xFFFFFF)));
  anhaengen(U_EMRSETPOLYFILLMODE_set(U_ALTERNATE));
  hintergrund(false);
}

EmfCanvas::~EmfCanvas() {
  if (spur->et) emf_free(&spur->et);
  if (spur->eht) emf_htable_free(&spur->eht);
  delete spur;
}

bool EmfCanvas::anhaengen(char* satz) {
  if (!satz || !spur->gut || fertig || emf_append(reinterpret_cast<U_ENHMETARECORD*>(satz), spur->et, 1)) {
    std::free(satz);
    spur->gut = false;
    return false;
  }
  return true;
}

std::vector<char> EmfCanvas::beenden() {
  if (fertig || !spur->gut) return {};
  anhaengen(U_EMREOF_set(0, nullptr, spur->et));
  fertig = true;
  if (!spur->gut || emf_finish(spur->et, spur->eht)) return {};
  return std::vector<char>(spur->et->buf, spur->et->buf + spur->et->used);
}

void EmfCanvas::stiftwaehlen() {
  const bool gleich = stiftda && gewaehlterstift.Color == pen.Color &&
                      gewaehlterstift.Width == pen.Width && gewaehlterstift.Style == pen.Style;
  if (!gleich) {
    const uint32_t stil = pen.Style == psClear ? U_PS_NULL : pen.Style == psDot ? U_PS_DOT : U_PS_SOLID;
    uint32_t neu = 0;
    anhaengen(createpen_set(&neu, spur->eht, logpen_set(stil, punkt(pen.Width, 0), farbe(pen.Color))));
    anhaengen(selectobject_set(neu, spur->eht));
    if (stiftda) anhaengen(deleteobject_set(&spur->stift, spur->eht));
    spur->stift = neu;
    gewaehlterstift = pen;
    stiftda = true;
  }
  rop(pen.Mode);
}

void EmfCanvas::pinselwaehlen() {
  if (pinselda && gewaehlterpinsel.Style == brush.Style &&
      (brush.Style == bsClear || gewaehlterpinsel.Color == brush.Color))
    return;
  uint32_t neu = 0;
  const uint32_t stil = brush.Style == bsSolid ? U_BS_SOLID : U_BS_NULL;
  anhaengen(createbrushindirect_set(&neu, spur->eht, logbrush_set(stil, farbe(brush.Color), 0)));
  anhaengen(selectobject_set(neu, spur->eht));
  if (pinselda) anhaengen(deleteobject_set(&spur->pinsel, spur->eht));
  spur->pinsel = neu;
  gewaehlterpinsel = brush;
  pinselda = true;
}

void EmfCanvas::schriftwaehlen() {
  if (!schriftda || gewaehlteschrift.Name != font.Name || gewaehlteschrift.Size != font.Size) {
    uint16_t name[U_LF_FACESIZE] = {};
    const size_t n = std::min<size_t>(font.Name.size(), U_LF_FACESIZE - 1);
    std::copy_n(font.Name.begin(), n, name);
    // Negative height: the character height in pixels, as GDI takes a point size.
    U_LOGFONT lf = logfont_set(-emfschrifthoehe(font.Size), 0, 0, 0, U_FW_NORMAL, 0, 0, 0,
                               U_DEFAULT_CHARSET, 0, 0, 0, 0, name);
    uint32_t neu = 0;
    anhaengen(extcreatefontindirectw_set(&neu, spur->eht, reinterpret_cast<const char*>(&lf), nullptr));
    anhaengen(selectobject_set(neu, spur->eht));
    if (schriftda) anhaengen(deleteobject_set(&spur->schrift, spur->eht));
    spur->schrift = neu;
    gewaehlteschrift = font;
    schriftda = true;
  }
  if (textfarbe != font.Color) {
    anhaengen(U_EMRSETTEXTCOLOR_set(farbe(font.Color)));
    textfarbe = font.Color;
  }
}

void EmfCanvas::hintergrund(bool durchsichtig) {
  const int modus = durchsichtig ? U_TRANSPARENT : U_OPAQUE;
  if (modus == hintergrundmodus) return;
  anhaengen(U_EMRSETBKMODE_set(modus));
  hintergrundmodus = modus;
}

void EmfCanvas::rop(TPenMode m) {
  if (m == gewaehlterrop) return;
  anhaengen(U_EMRSETROP2_set(m == pmNot ? U_R2_NOT : U_R2_COPYPEN));
  gewaehlterrop = m;
}

void EmfCanvas::LineTo(int x, int y) {
  const TPoint von = penpos;
  penpos = {x, y};
  if (pen.Style == psClear) return;
  // Cut to the surface plus a pen's margin, so that readers never meet the far
  // coordinates a curve may reach.
  double t0, t1;
  if (!linieschneiden(von.x, von.y, x, y, breite, hoehe, pen.Width + 2, t0, t1)) return;
  const double ax = von.x, ay = von.y, dx = static_cast<double>(x) - von.x, dy = static_cast<double>(y) - von.y;
  const TPoint a{t0 == 0 ? von.x : static_cast<int>(std::lround(ax + t0 * dx)),
                 t0 == 0 ? von.y : static_cast<int>(std::lround(ay + t0 * dy))};
  const TPoint e{t1 == 1 ? x : static_cast<int>(std::lround(ax + t1 * dx)),
                 t1 == 1 ? y : static_cast<int>(std::lround(ay + t1 * dy))};
  stiftwaehlen();
  hintergrund(transparent);
  if (a.x != aktuell.x || a.y != aktuell.y) anhaengen(U_EMRMOVETOEX_set(punkt(a.x, a.y)));
  anhaengen(U_EMRLINETO_set(punkt(e.x, e.y)));
  aktuell = e;
}

void EmfCanvas::Polygon(std::span<const TPoint> punkte) {
  if (punkte.empty()) return;
  std::vector<U_POINTL> eck;
  U_RECTL grenzen = rechteck(formgrenze, formgrenze, -formgrenze, -formgrenze);
  for (const TPoint& p : punkte) {
    const int x = klemmen(p.x), y = klemmen(p.y);
    eck.push_back(punkt(x, y));
    grenzen.left = std::min(grenzen.left, x), grenzen.right = std::max(grenzen.right, x);
    grenzen.top = std::min(grenzen.top, y), grenzen.bottom = std::max(grenzen.bottom, y);
  }
  stiftwaehlen();
  pinselwaehlen();
  anhaengen(U_EMRPOLYGON_set(grenzen, static_cast<uint32_t>(eck.size()), eck.data()));
}

// The records hold the box inclusive of its right and bottom edge.
void EmfCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (x2 - x1 < 1 || y2 - y1 < 1) return;
  stiftwaehlen();
  pinselwaehlen();
  anhaengen(U_EMRELLIPSE_set(rechteck(klemmen(x1), klemmen(y1), klemmen(x2) - 1, klemmen(y2) - 1)));
}

void EmfCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (x2 - x1 < 1 || y2 - y1 < 1) return;
  stiftwaehlen();
  pinselwaehlen();
  anhaengen(U_EMRRECTANGLE_set(rechteck(klemmen(x1), klemmen(y1), klemmen(x2) - 1, klemmen(y2) - 1)));
}

TColor EmfCanvas::Pixels(int, int) { return keinpixel; }

void EmfCanvas::Pixels(int x, int y, TColor c) {
  if (x < 0 || y < 0 || x >= breite || y >= hoehe) return;
  anhaengen(U_EMRSETPIXELV_set(punkt(x, y), farbe(c)));
}

void EmfCanvas::TextOut(int x, int y, std::u16string_view s) {
  if (s.empty() || x > breite || y > hoehe || x < -formgrenze || y < -formgrenze) return;
  const QFontMetricsF fm(leserschrift(font));
  const QString text = qtext(s);
  const int zellbreite = static_cast<int>(std::lround(fm.horizontalAdvance(text)));
  const int zellhoehe = static_cast<int>(std::lround(fm.height()));
  if (brush.Style == bsSolid) {
    // The cell behind the text, filled with the brush and no outline.
    const TPen alt = pen;
    pen.Style = psClear;
    stiftwaehlen();
    pinselwaehlen();
    anhaengen(U_EMRRECTANGLE_set(rechteck(x, y, x + zellbreite, y + zellhoehe)));
    pen = alt;
  }
  schriftwaehlen();
  hintergrund(true);
  // Advances from our own measurement, so that a reader places each character
  // where we measured it; rounded along the run so the sum stays exact.
  std::vector<uint32_t> dx(s.size());
  long vorher = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const long bis = std::lround(fm.horizontalAdvance(text.left(i + 1)));
    dx[static_cast<size_t>(i)] = static_cast<uint32_t>(std::max(0L, bis - vorher));
    vorher = bis;
  }
  const int grundlinie = y + static_cast<int>(std::lround(fm.ascent()));
  const U_RECTL zelle = rechteck(x, y, x + zellbreite, y + zellhoehe);
  std::vector<uint16_t> zeichen(s.begin(), s.end());
  char* emrtext = emrtext_set(punkt(x, grundlinie), static_cast<U_NUM_STR>(zeichen.size()), 2,
                              zeichen.data(), U_ETO_NONE, zelle, dx.data());
  if (!emrtext) {
    spur->gut = false;
    return;
  }
  const float skala = static_cast<float>(2540.0 / dpi);
  anhaengen(U_EMREXTTEXTOUTW_set(zelle, U_GM_COMPATIBLE, skala, skala,
                                 reinterpret_cast<PU_EMRTEXT>(emrtext)));
  std::free(emrtext);
}

TSize EmfCanvas::TextExtent(std::u16string_view s) {
  const QFontMetricsF fm(leserschrift(font));
  return {static_cast<int>(std::lround(fm.horizontalAdvance(qtext(s)))),
          static_cast<int>(std::lround(fm.height()))};
}

// A bitmap goes in as a 32-bit device-independent bitmap stretched into place.
void EmfCanvas::bildsatz(const TRect& ziel, Canvas& von, const TRect& quelle) {
  QImage* bild = bildvon(von);
  if (!bild || quelle.Right <= quelle.Left || quelle.Bottom <= quelle.Top) return;
  const QImage rgba = bild->convertToFormat(QImage::Format_RGBA8888);
  char* px = nullptr;
  uint32_t cbpx = 0;
  PU_RGBQUAD ct = nullptr;
  int numct = 0;
  if (RGBA_to_DIB(&px, &cbpx, &ct, &numct, reinterpret_cast<const char*>(rgba.constBits()), rgba.width(),
                  rgba.height(), static_cast<int>(rgba.bytesPerLine()), U_BCBM_COLOR32, 0, 1)) {
    std::free(px);
    return;
  }
  const U_BITMAPINFOHEADER kopf =
      bitmapinfoheader_set(rgba.width(), rgba.height(), 1, 32, U_BI_RGB, 0, 3780, 3780, 0, 0);
  PU_BITMAPINFO info = bitmapinfo_set(kopf, nullptr);
  const U_RECTL grenzen = rechteck(ziel.Left, ziel.Top, ziel.Right - 1, ziel.Bottom - 1);
  // Source rows count from the bottom in a bottom-up bitmap.
  const int srcy = rgba.height() - quelle.Bottom;
  anhaengen(U_EMRSTRETCHDIBITS_set(grenzen, punkt(ziel.Left, ziel.Top),
                                   punkt(ziel.Right - ziel.Left, ziel.Bottom - ziel.Top),
                                   punkt(quelle.Left, srcy),
                                   punkt(quelle.Right - quelle.Left, quelle.Bottom - quelle.Top),
                                   U_DIB_RGB_COLORS, U_SRCCOPY, info, cbpx, px));
  std::free(info);
  std::free(px);
}

void EmfCanvas::Draw(int x, int y, Bitmap& b) {
  bildsatz({x, y, x + b.Width(), y + b.Height()}, b.canvas(), {0, 0, b.Width(), b.Height()});
}

void EmfCanvas::StretchDraw(const TRect& ziel, Bitmap& b) {
  bildsatz(ziel, b.canvas(), {0, 0, b.Width(), b.Height()});
}

// Only an image canvas has pixels to copy from.
void EmfCanvas::CopyRect(const TRect& ziel, Canvas& quelle, const TRect& quellrect) {
  bildsatz(ziel, quelle, quellrect);
}

std::unique_ptr<Bitmap> EmfCanvas::neuesBitmap(int b, int h) { return std::make_unique<QtBitmap>(b, h); }
