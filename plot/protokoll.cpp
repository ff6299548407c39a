#include "protokoll.h"

#include <cstdio>

namespace {
std::string zahlen(std::initializer_list<int> werte) {
  std::string s;
  for (int w : werte) s += " " + std::to_string(w);
  return s;
}

const char* stiftart[] = {"psSolid", "psDot", "psClear"};
const char* stiftmodus[] = {"pmCopy", "pmNot"};
const char* pinselart[] = {"bsSolid", "bsClear"};
}  // namespace

std::string utf8text(std::u16string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    char32_t c = s[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (s[++i] - 0xDC00);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string farbtext(TColor c) {
  char puffer[8];
  std::snprintf(puffer, sizeof puffer, "%06X", static_cast<unsigned>(c & 0xFFFFFF));
  return puffer;
}

ProtokollCanvas::ProtokollCanvas(std::vector<std::string>& ziel, Canvas* durch) : log(ziel), weiter(durch) {
  if (weiter) {
    pen = weiter->Pen();
    brush = weiter->Brush();
    font = weiter->Font();
    transparent = weiter->transparentBackground();
  }
}

void ProtokollCanvas::schreiben(std::string zeile) { log.push_back(std::move(zeile)); }

void ProtokollCanvas::setPenColor(TColor c) {
  Canvas::setPenColor(c);
  schreiben("Pen.Color " + farbtext(c));
  if (weiter) weiter->setPenColor(c);
}
void ProtokollCanvas::setPenWidth(int w) {
  Canvas::setPenWidth(w);
  schreiben("Pen.Width " + std::to_string(w));
  if (weiter) weiter->setPenWidth(w);
}
void ProtokollCanvas::setPenStyle(TPenStyle s) {
  Canvas::setPenStyle(s);
  schreiben(std::string("Pen.Style ") + stiftart[s]);
  if (weiter) weiter->setPenStyle(s);
}
void ProtokollCanvas::setPenMode(TPenMode m) {
  Canvas::setPenMode(m);
  schreiben(std::string("Pen.Mode ") + stiftmodus[m]);
  if (weiter) weiter->setPenMode(m);
}
void ProtokollCanvas::setBrushColor(TColor c) {
  Canvas::setBrushColor(c);
  schreiben("Brush.Color " + farbtext(c));
  if (weiter) weiter->setBrushColor(c);
}
void ProtokollCanvas::setBrushStyle(TBrushStyle s) {
  Canvas::setBrushStyle(s);
  schreiben(std::string("Brush.Style ") + pinselart[s]);
  if (weiter) weiter->setBrushStyle(s);
}
void ProtokollCanvas::setFontName(std::u16string_view n) {
  Canvas::setFontName(n);
  schreiben("Font.Name " + utf8text(n));
  if (weiter) weiter->setFontName(n);
}
void ProtokollCanvas::setFontSize(int points) {
  Canvas::setFontSize(points);
  schreiben("Font.Size " + std::to_string(points));
  if (weiter) weiter->setFontSize(points);
}
void ProtokollCanvas::setFontColor(TColor c) {
  Canvas::setFontColor(c);
  schreiben("Font.Color " + farbtext(c));
  if (weiter) weiter->setFontColor(c);
}
void ProtokollCanvas::setTransparentBackground(bool t) {
  Canvas::setTransparentBackground(t);
  schreiben(std::string("Background ") + (t ? "transparent" : "opaque"));
  if (weiter) weiter->setTransparentBackground(t);
}

void ProtokollCanvas::MoveTo(int x, int y) {
  Canvas::MoveTo(x, y);
  schreiben("MoveTo" + zahlen({x, y}));
  if (weiter) weiter->MoveTo(x, y);
}
void ProtokollCanvas::LineTo(int x, int y) {
  penpos = {x, y};
  schreiben("LineTo" + zahlen({x, y}));
  if (weiter) weiter->LineTo(x, y);
}
void ProtokollCanvas::Polygon(std::span<const TPoint> punkte) {
  std::string z = "Polygon";
  for (const TPoint& p : punkte) z += zahlen({p.x, p.y});
  schreiben(z);
  if (weiter) weiter->Polygon(punkte);
}
void ProtokollCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  schreiben("Ellipse" + zahlen({x1, y1, x2, y2}));
  if (weiter) weiter->Ellipse(x1, y1, x2, y2);
}
void ProtokollCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  schreiben("Rectangle" + zahlen({x1, y1, x2, y2}));
  if (weiter) weiter->Rectangle(x1, y1, x2, y2);
}
TColor ProtokollCanvas::Pixels(int x, int y) {
  if (weiter) return weiter->Pixels(x, y);
  const auto p = pixel.find({x, y});
  return p == pixel.end() ? 0xFFFFFF : p->second;
}
void ProtokollCanvas::Pixels(int x, int y, TColor c) {
  schreiben("Pixels" + zahlen({x, y}) + " " + farbtext(c));
  if (weiter)
    weiter->Pixels(x, y, c);
  else
    pixel[{x, y}] = c;
}
void ProtokollCanvas::TextOut(int x, int y, std::u16string_view s) {
  schreiben("TextOut" + zahlen({x, y}) + " " + utf8text(s));
  if (weiter) weiter->TextOut(x, y, s);
}
TSize ProtokollCanvas::TextExtent(std::u16string_view s) {
  if (weiter) return weiter->TextExtent(s);
  return {7 * static_cast<int>(s.size()), 14};
}
void ProtokollCanvas::Draw(int x, int y, Bitmap& bild) {
  schreiben("Draw" + zahlen({x, y, bild.Width(), bild.Height()}));
  if (!weiter) return;
  auto* eigenes = dynamic_cast<ProtokollBitmap*>(&bild);
  Bitmap* innen = eigenes ? eigenes->weitergabe() : &bild;
  if (innen) weiter->Draw(x, y, *innen);
}
void ProtokollCanvas::StretchDraw(const TRect& r, Bitmap& bild) {
  schreiben("StretchDraw" + zahlen({r.Left, r.Top, r.Right, r.Bottom, bild.Width(), bild.Height()}));
  if (!weiter) return;
  auto* eigenes = dynamic_cast<ProtokollBitmap*>(&bild);
  Bitmap* innen = eigenes ? eigenes->weitergabe() : &bild;
  if (innen) weiter->StretchDraw(r, *innen);
}
void ProtokollCanvas::CopyRect(const TRect& z, Canvas& quelle, const TRect& q) {
  schreiben("CopyRect" + zahlen({z.Left, z.Top, z.Right, z.Bottom, q.Left, q.Top, q.Right, q.Bottom}));
  if (!weiter) return;
  auto* eigene = dynamic_cast<ProtokollCanvas*>(&quelle);
  Canvas* innen = eigene ? eigene->weitergabe() : &quelle;
  if (innen) weiter->CopyRect(z, *innen, q);
}
std::unique_ptr<Bitmap> ProtokollCanvas::neuesBitmap(int breite, int hoehe) {
  schreiben("Bitmap" + zahlen({breite, hoehe}));
  return std::make_unique<ProtokollBitmap>(log, weiter, breite, hoehe);
}

ProtokollBitmap::ProtokollBitmap(std::vector<std::string>& log, Canvas* weiter, int breite, int hoehe)
    : b(breite), h(hoehe) {
  if (weiter) innen = weiter->neuesBitmap(breite, hoehe);
  leinwand = std::make_unique<ProtokollCanvas>(log, innen ? &innen->canvas() : nullptr);
}
