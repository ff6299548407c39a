#include "ergebnisblatt.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "abbildung.h"
#include "bildexport.h"
#include "canvas.h"
#include "plotpass.h"
#include "steuerzustand.h"

using namespace abbildung;

namespace {

constexpr int bildpunkteprozoll = 96;

// The window's fonts, by their pixel size on the screen: the term fields' and
// the result memo's. Given in points, so every device draws them at the size
// the screen shows.
QFont fensterschrift(int pixel, bool fett = false) {
  QFont f(QStringLiteral("Verdana"));
  f.setPointSizeF(pixel * 72.0 / bildpunkteprozoll);
  f.setBold(fett);
  return f;
}

struct Termfeld {
  bool Steuerzustand::*an;
  std::u16string Steuerzustand::*text;
  const char* name;
};
const Termfeld termfelder[] = {{&Steuerzustand::c_f1, &Steuerzustand::ed_f1, "f1"},
                               {&Steuerzustand::c_f2, &Steuerzustand::ed_f2, "f2"},
                               {&Steuerzustand::c_f3, &Steuerzustand::ed_f3, "f3"},
                               {&Steuerzustand::c_f4, &Steuerzustand::ed_f4, "f4"}};

// A text is broken at word ends, where a word is too long anywhere.
constexpr int absatzart = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

// Sets the sheet onto pages of one width: each piece goes on where the last
// ended, and onto a new page where it does not fit. Without a painter it only
// measures; an endless page height makes one long page.
struct Satz {
  QPainter* maler;
  const QPaintDevice& geraet;
  double breite, seitenhoehe;
  std::function<bool()> neueseite;
  double y = 0;
  bool gut = true;

  double abstand() const { return QFontMetricsF(fensterschrift(11), &geraet).lineSpacing() / 2; }

  void umbruch() {
    if (y == 0) return;
    y = 0;
    gut = gut && (!maler || neueseite());
  }

  // One paragraph; a term far longer than a line is shortened in its middle
  // to about three lines, so that the heading stays a heading. Lines with tabs
  // (the columns of the list) keep to one line.
  void absatz(const QFont& schrift, QString text, int hoechstzeilen) {
    const QFontMetricsF m(schrift, &geraet);
    if (text.contains(QLatin1Char('\t'))) return spalten(schrift, text);
    if (hoechstzeilen > 0) text = m.elidedText(text, Qt::ElideMiddle, breite * hoechstzeilen);
    const double h = m.boundingRect(QRectF(0, 0, breite, 1e9), absatzart, text).height();
    if (y + h > seitenhoehe) umbruch();
    if (maler) {
      maler->setFont(schrift);
      maler->drawText(QRectF(0, y, breite, h), absatzart, text);
    }
    y += h;
  }

  // A line whose tabs go to the memo's tab stops: every 80 screen pixels.
  void spalten(const QFont& schrift, const QString& text) {
    const QFontMetricsF m(schrift, &geraet);
    const double tab = 80.0 * geraet.logicalDpiX() / bildpunkteprozoll;
    if (y + m.lineSpacing() > seitenhoehe) umbruch();
    if (maler) {
      maler->setFont(schrift);
      double x = 0;
      const QStringList teile = text.split(QLatin1Char('\t'));
      for (qsizetype i = 0; i < teile.size(); ++i) {
        if (i > 0) x = (std::floor(x / tab) + 1) * tab;
        maler->drawText(QPointF(x, y + m.ascent()), teile[i]);
        x += m.horizontalAdvance(teile[i]);
      }
    }
    y += m.lineSpacing();
  }

  // The drawing as wide as the page, lower where the page leaves less room
  // than that below the heading; then the list follows.
  void zeichnung(const Ergebnisblatt& blatt, double reserve) {
    const auto massstab = [&] {
      return std::min(breite / blatt.breite, (seitenhoehe - y - reserve) / blatt.hoehe);
    };
    // Less than a third of the page's width: the drawing starts a new page.
    if (massstab() * blatt.breite < breite / 3) umbruch();
    const double s = std::max(massstab(), 0.0);
    const QRectF ziel(0, y, blatt.breite * s, blatt.hoehe * s);
    if (maler) {
      QSvgRenderer bild(blatt.zeichnung);
      maler->save();
      maler->setClipRect(ziel);
      bild.render(maler, ziel);
      maler->restore();
    }
    y += ziel.height() + abstand();
  }

  void setzen(const Ergebnisblatt& blatt) {
    const QFont kopfschrift = fensterschrift(13, true), listenschrift = fensterschrift(11);
    for (const QString& zeile : blatt.kopf) absatz(kopfschrift, zeile, 3);
    if (!blatt.kopf.isEmpty()) y += abstand();
    // Room for the first lines of the list beside the drawing on its page.
    const double reserve =
        blatt.zeilen.isEmpty() ? 0 : 4 * QFontMetricsF(listenschrift, &geraet).lineSpacing();
    zeichnung(blatt, std::isfinite(seitenhoehe) ? reserve : 0);
    for (const QString& zeile : blatt.zeilen) absatz(listenschrift, zeile, 0);
  }
};

// The height one long page needs at width W, in drawing pixels.
double satzhoehe(const Ergebnisblatt& blatt, const QPaintDevice& geraet) {
  Satz satz{nullptr, geraet, double(blatt.breite), std::numeric_limits<double>::infinity(), {}};
  satz.setzen(blatt);
  return std::ceil(satz.y);
}

// A device of 96 pixels per inch to measure on, as the SVG and PDF are set up.
QImage messflaeche() {
  QImage bild(1, 1, QImage::Format_RGB32);
  const int promester = qRound(bildpunkteprozoll / 0.0254);
  bild.setDotsPerMeterX(promester);
  bild.setDotsPerMeterY(promester);
  return bild;
}

void weissergrund(QPainter& maler, double breite, double hoehe) {
  maler.fillRect(QRectF(0, 0, breite, hoehe), Qt::white);
}

QString ergebnisseiten(QPagedPaintDevice& drucker, int breite, int hoehe) {
  const Ergebnisblatt blatt = ergebnisblattaufnehmen(breite, hoehe);
  QPainter maler;
  if (!maler.begin(&drucker)) return QStringLiteral("Печать не началась");
  Satz satz{&maler, drucker, double(drucker.width()), double(drucker.height()), [&] { return drucker.newPage(); }};
  satz.setzen(blatt);
  if (!maler.end() || !satz.gut) return QStringLiteral("Печать не завершена");
  return {};
}

}  // namespace

Ergebnisblatt ergebnisblattaufnehmen(int breite, int hoehe) {
  Ergebnisblatt blatt;
  blatt.breite = breite;
  blatt.hoehe = hoehe;
  for (const Termfeld& t : termfelder)
    if (steuer.*t.an && !(steuer.*t.text).empty())
      blatt.kopf << QStringLiteral("%1(x) = %2").arg(QLatin1String(t.name), QString::fromStdU16String(steuer.*t.text));
  grafb = breite;
  grafh = hoehe;
  abbildungeinrichten(breite, hoehe);
  blatt.zeichnung = svgbild(breite, hoehe);
  for (const auto& zeile : ergebnisliste) blatt.zeilen << QString::fromStdU16String(zeile);
  return blatt;
}

QString druckauftrag(QPrinter& drucker, int breite, int hoehe, bool mitliste) {
  if (!mitliste) return druckseite(drucker, breite, hoehe);
  if (QString leer = ohnebildpunkte(breite, hoehe); !leer.isEmpty()) return leer;
  drucker.setDocName(QStringLiteral("Function"));
  return geschuetztdrucken(drucker, [&](QPagedPaintDevice& geraet) { return ergebnisseiten(geraet, breite, hoehe); });
}

QByteArray svgmitliste(const Ergebnisblatt& blatt) {
  const QImage mass = messflaeche();
  const int h = static_cast<int>(satzhoehe(blatt, mass));
  QBuffer puffer;
  puffer.open(QBuffer::WriteOnly);
  QSvgGenerator svg;
  svg.setSize(QSize(blatt.breite, h));
  svg.setViewBox(QRect(0, 0, blatt.breite, h));
  svg.setResolution(bildpunkteprozoll);
  svg.setTitle(QStringLiteral("Function"));
  svg.setOutputDevice(&puffer);
  QPainter maler;
  if (!maler.begin(&svg)) return {};
  weissergrund(maler, blatt.breite, h);
  Satz satz{&maler, svg, double(blatt.breite), std::numeric_limits<double>::infinity(), [] { return true; }};
  satz.setzen(blatt);
  if (!maler.end()) return {};
  return puffer.data();
}

QByteArray pdfmitliste(const Ergebnisblatt& blatt) {
  const QImage mass = messflaeche();
  const double h = satzhoehe(blatt, mass);
  QBuffer puffer;
  puffer.open(QBuffer::WriteOnly);
  QPdfWriter pdf(&puffer);
  pdf.setResolution(bildpunkteprozoll);
  pdf.setTitle(QStringLiteral("Function"));
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  const double punkt = 72.0 / bildpunkteprozoll;
  pdf.setPageSize(QPageSize(QSizeF(blatt.breite * punkt, h * punkt), QPageSize::Point, QString(),
                            QPageSize::ExactMatch));
  QPainter maler;
  if (!maler.begin(&pdf)) return {};
  weissergrund(maler, blatt.breite, h);
  Satz satz{&maler, pdf, double(blatt.breite), std::numeric_limits<double>::infinity(), [] { return true; }};
  satz.setzen(blatt);
  if (!maler.end()) return {};
  return puffer.data();
}
