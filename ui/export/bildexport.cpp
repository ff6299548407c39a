#include "bildexport.h"

#include <QBuffer>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPageSize>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSvgGenerator>
#include <QSvgRenderer>

#include <gif_lib.h>

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

#include "abbildung.h"
#include "dateischreiben.h"
#include "emfcanvas.h"
#include "ergebnisblatt.h"
#include "plotpass.h"
#include "qtcanvas.h"

using namespace abbildung;

namespace {

constexpr TColor weiss = 0xFFFFFF;

// Qt's resolution for drawing pixels: 96 per inch, 3780 per metre.
constexpr int bildpunkteprozoll = 96;

}  // namespace

QString ohnebildpunkte(int breite, int hoehe) {
  if (breite >= 1 && hoehe >= 1) return {};
  return QStringLiteral("Рисунок не содержит ни одной точки (%1 × %2 пикселей): сохранять и печатать нечего.")
      .arg(breite)
      .arg(hoehe);
}

void vektorzeichnung(Canvas& c, int breite, int hoehe) {
  c.setFontName(u"Verdana");
  c.setFontSize(10);
  c.setBrushColor(weiss);
  c.Rectangle(-1, -1, breite + 1, hoehe + 1);
  c.setBrushStyle(bsClear);
  koordinatensystem(c);
  zeichnen(c);
}

QByteArray emfbild(int breite, int hoehe) {
  EmfCanvas emf(breite, hoehe);
  vektorzeichnung(emf, breite, hoehe);
  const std::vector<char> daten = emf.beenden();
  return QByteArray(daten.data(), static_cast<qsizetype>(daten.size()));
}

namespace {

// Any paint device of the vector kind, set up for W x H drawing pixels.
void svgeinrichten(QSvgGenerator& svg, int breite, int hoehe) {
  svg.setSize(QSize(breite, hoehe));
  svg.setViewBox(QRect(0, 0, breite, hoehe));
  svg.setResolution(bildpunkteprozoll);
  svg.setTitle(QStringLiteral("Function"));
}

}  // namespace

QByteArray svgbild(int breite, int hoehe, const std::function<void(Canvas&)>& danach) {
  QBuffer puffer;
  puffer.open(QBuffer::WriteOnly);
  QSvgGenerator svg;
  svgeinrichten(svg, breite, hoehe);
  svg.setOutputDevice(&puffer);
  {
    QtCanvas leinwand(svg);
    vektorzeichnung(leinwand, breite, hoehe);
    if (danach) danach(leinwand);
  }
  return puffer.data();
}

QImage rasterbild(int breite, int hoehe) {
  QtBitmap bild(breite, hoehe);
  vektorzeichnung(bild.canvas(), breite, hoehe);
  return bild.image();
}

QMimeData* kopiedaten(int breite, int hoehe) {
  auto* daten = new QMimeData;
  daten->setData(QStringLiteral("image/x-emf"), emfbild(breite, hoehe));
  daten->setData(QStringLiteral("image/svg+xml"), svgbild(breite, hoehe));
  QByteArray png;
  QBuffer puffer(&png);
  puffer.open(QBuffer::WriteOnly);
  rasterbild(breite, hoehe).save(&puffer, "PNG");
  daten->setData(QStringLiteral("image/png"), png);
  return daten;
}

void zwischenablagekopieren(int breite, int hoehe) {
  QGuiApplication::clipboard()->setMimeData(kopiedaten(breite, hoehe));
}

// ---------------------------------------------------------------- files

namespace {

bool gifkodieren(const QImage& quelle, QIODevice& datei, QString& fehler);
bool bmpschreiben(const QImage& bild, QIODevice& datei, QString& fehler);
bool pdfschreiben(int breite, int hoehe, QIODevice& datei);

bool alsbmp(const QImage& schirm, QIODevice& datei, QString& fehler) { return bmpschreiben(schirm, datei, fehler); }
bool alsbmp16(const QImage& schirm, QIODevice& datei, QString& fehler) {
  return bmpschreiben(schirm.convertToFormat(QImage::Format_Indexed8, palette16(), Qt::ThresholdDither), datei,
                      fehler);
}
bool alsemf(const QImage& schirm, QIODevice& datei, QString& fehler) {
  const QByteArray daten = emfbild(schirm.width(), schirm.height());
  if (daten.isEmpty()) {
    fehler = QStringLiteral("Метафайл не создан");
    return false;
  }
  return datei.write(daten) == daten.size();
}
bool alssvg(const QImage& schirm, QIODevice& datei, QString&) {
  const QByteArray daten = svgbild(schirm.width(), schirm.height());
  return datei.write(daten) == daten.size();
}
bool alspdf(const QImage& schirm, QIODevice& datei, QString&) { return pdfschreiben(schirm.width(), schirm.height(), datei); }
bool alsliste(QByteArray (*schreiber)(const Ergebnisblatt&), const QImage& schirm, QIODevice& datei, QString& fehler) {
  const QByteArray daten = schreiber(ergebnisblattaufnehmen(schirm.width(), schirm.height()));
  if (daten.isEmpty()) fehler = QStringLiteral("Рисунок со списком не создан");
  return !daten.isEmpty() && datei.write(daten) == daten.size();
}
bool alssvgliste(const QImage& schirm, QIODevice& datei, QString& fehler) {
  return alsliste(svgmitliste, schirm, datei, fehler);
}
bool alspdfliste(const QImage& schirm, QIODevice& datei, QString& fehler) {
  return alsliste(pdfmitliste, schirm, datei, fehler);
}
bool alspng(const QImage& schirm, QIODevice& datei, QString& fehler) {
  if (schirm.save(&datei, "PNG")) return true;
  fehler = datei.errorString();
  return false;
}

// Every picture format of the save dialog, in the order of its filter index: the
// filter text, the extension a name without one gets, and the writer. The raster
// formats take the screen drawing, the vector formats draw anew at its size.
struct Bildformat {
  const char* filter;
  const char* endung;
  bool (*schreiben)(const QImage& bildschirm, QIODevice& datei, QString& fehler);
  QString (*vollstaendig)(QIODevice& geschrieben);
};
const Bildformat bildformate[] = {
    {"Изображение (*.bmp)", "bmp", alsbmp, bmpvollstaendig},
    {"16-цветная графика (*.bmp)", "bmp", alsbmp16, bmpvollstaendig},
    {"Изображение (*.gif)", "gif", gifkodieren, gifvollstaendig},
    {"Векторная графика (*.wmf)", "wmf", alsemf, emfvollstaendig},
    {"Векторная графика SVG (*.svg)", "svg", alssvg, svgvollstaendig},
    {"Документ PDF (*.pdf)", "pdf", alspdf, pdfvollstaendig},
    {"Изображение PNG (*.png)", "png", alspng, pngvollstaendig},
    {"Векторная графика SVG со списком результатов (*.svg)", "svg", alssvgliste, svgvollstaendig},
    {"Документ PDF со списком результатов (*.pdf)", "pdf", alspdfliste, pdfvollstaendig},
};
constexpr int formatzahl = static_cast<int>(std::size(bildformate));
static_assert(formatzahl == filter_pdfliste);

// Extensions that name a format without being a filter's own.
struct Nebenendung {
  const char* endung;
  int filterindex;
};
constexpr Nebenendung nebenendungen[] = {{"emf", filter_emf}};

const Bildformat* bildformat(int filterindex) {
  return filterindex >= 1 && filterindex <= formatzahl ? &bildformate[filterindex - 1] : nullptr;
}

}  // namespace

const QStringList sd1filter = [] {
  QStringList filter;
  for (const Bildformat& f : bildformate) filter << QString::fromUtf8(f.filter);
  return filter;
}();

QString filterendung(int filterindex) {
  const Bildformat* f = bildformat(filterindex);
  return QString::fromLatin1(f ? f->endung : "gif");
}

namespace {

// The filter whose format the extension names: the chosen one when it fits,
// else the first in the dialog's order; 0 for an extension no format knows.
int formatderendung(int gewaehlt, const QString& endung) {
  const auto passt = [&](const char* e) { return endung.compare(QLatin1String(e), Qt::CaseInsensitive) == 0; };
  if (const Bildformat* f = bildformat(gewaehlt); f && passt(f->endung)) return gewaehlt;
  for (const Nebenendung& n : nebenendungen)
    if (passt(n.endung) && gewaehlt == n.filterindex) return gewaehlt;
  for (int i = 1; i <= formatzahl; ++i)
    if (passt(bildformate[i - 1].endung)) return i;
  for (const Nebenendung& n : nebenendungen)
    if (passt(n.endung)) return n.filterindex;
  return 0;
}

}  // namespace

Bildziel bildziel(int filterindex, const QString& name) {
  if (name.isEmpty() || name.endsWith(QLatin1Char('/'))) return {filterindex, name};
  if (const int format = formatderendung(filterindex, QFileInfo(name).suffix())) return {format, name};
  return {filterindex, name + QLatin1Char('.') + filterendung(filterindex)};
}

QString dateiname(int filterindex, const QString& name) { return bildziel(filterindex, name).name; }

void sd1einrichten(QFileDialog& d) {
  d.setWindowTitle(QStringLiteral("Сохранить изображение"));
  d.setAcceptMode(QFileDialog::AcceptSave);
  d.setFileMode(QFileDialog::AnyFile);
  d.setNameFilters(sd1filter);
  d.selectNameFilter(sd1filter[filter_gif - 1]);
  d.setDefaultSuffix(QStringLiteral("gif"));
  d.selectFile(QString());
  d.setOption(QFileDialog::DontConfirmOverwrite, false);
  d.setSizeGripEnabled(true);
  // A name typed without extension gets the one of the filter shown.
  QObject::connect(&d, &QFileDialog::filterSelected, &d, [&d](const QString& filter) {
    d.setDefaultSuffix(filterendung(static_cast<int>(sd1filter.indexOf(filter)) + 1));
  });
}

QList<QRgb> palette16() {
  return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
          qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
          qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
          qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

namespace {

int gifschreiben(GifFileType* gif, const GifByteType* daten, int laenge) {
  auto* datei = static_cast<QIODevice*>(gif->UserData);
  return static_cast<int>(datei->write(reinterpret_cast<const char*>(daten), laenge));
}

// The drawing's own colours when there are at most 256, else giflib's reduction.
bool gifkodieren(const QImage& quelle, QIODevice& datei, QString& fehler) {
  const QImage bild = quelle.convertToFormat(QImage::Format_RGB32);
  const int b = bild.width(), h = bild.height();
  std::vector<GifByteType> index(static_cast<size_t>(b) * h);
  std::vector<GifColorType> farben;
  std::map<QRgb, int> nummer;
  for (int y = 0; y < h && nummer.size() <= 256; ++y) {
    const QRgb* zeile = reinterpret_cast<const QRgb*>(bild.constScanLine(y));
    for (int x = 0; x < b; ++x) {
      const QRgb c = zeile[x] & 0xFFFFFF;
      auto [it, neu] = nummer.try_emplace(c, static_cast<int>(nummer.size()));
      if (neu && nummer.size() > 256) break;
      index[static_cast<size_t>(y) * b + x] = static_cast<GifByteType>(it->second);
    }
  }
  if (nummer.size() > 256) {
    // Text smoothing gives more colours than a GIF holds: the 256 most frequent
    // stay exact, so the curves keep theirs, and the rest go to the nearest.
    std::map<QRgb, long> haeufigkeit;
    for (int y = 0; y < h; ++y) {
      const QRgb* zeile = reinterpret_cast<const QRgb*>(bild.constScanLine(y));
      for (int x = 0; x < b; ++x) ++haeufigkeit[zeile[x] | 0xFF000000];
    }
    std::vector<std::pair<long, QRgb>> rang;
    for (const auto& [c, n] : haeufigkeit) rang.push_back({-n, c});
    std::sort(rang.begin(), rang.end());
    QList<QRgb> tabelle;
    for (size_t i = 0; i < 256; ++i) tabelle << rang[i].second;
    const QImage indiziert = bild.convertToFormat(QImage::Format_Indexed8, tabelle, Qt::ThresholdDither);
    for (int y = 0; y < h; ++y) std::copy_n(indiziert.constScanLine(y), b, index.data() + static_cast<size_t>(y) * b);
    nummer.clear();
    for (int i = 0; i < 256; ++i) nummer[tabelle[i] & 0xFFFFFF] = i;
  }
  farben.resize(nummer.size());
  for (const auto& [c, n] : nummer)
    farben[static_cast<size_t>(n)] = {static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                                      static_cast<GifByteType>(qBlue(c))};
  const int groesse = static_cast<int>(farben.size());
  // A colour map holds a power of two entries.
  const int bits = GifBitSize(std::max(groesse, 2));
  farben.resize(static_cast<size_t>(1) << bits, GifColorType{0, 0, 0});
  ColorMapObject* karte = GifMakeMapObject(1 << bits, farben.data());
  int code = 0;
  GifFileType* gif = EGifOpen(&datei, gifschreiben, &code);
  bool gut = gif && karte;
  if (gut) gut = EGifPutScreenDesc(gif, b, h, bits, 0, karte) == GIF_OK &&
                 EGifPutImageDesc(gif, 0, 0, b, h, false, nullptr) == GIF_OK;
  for (int y = 0; gut && y < h; ++y) gut = EGifPutLine(gif, index.data() + static_cast<size_t>(y) * b, b) == GIF_OK;
  if (gif) {
    if (!gut) code = gif->Error;
    int schluss = 0;
    if (EGifCloseFile(gif, &schluss) != GIF_OK && gut) {
      gut = false;
      code = schluss;
    }
  }
  if (karte) GifFreeMapObject(karte);
  // A failed write of the file is reported by the write routine.
  if (!gut && fehler.isEmpty()) fehler = QString::fromUtf8(GifErrorString(code));
  return gut;
}

bool bmpschreiben(const QImage& bild, QIODevice& datei, QString& fehler) {
  if (bild.save(&datei, "BMP")) return true;
  fehler = datei.errorString();
  return false;
}

bool pdfschreiben(int breite, int hoehe, QIODevice& datei) {
  QPdfWriter pdf(&datei);
  pdf.setResolution(bildpunkteprozoll);
  pdf.setTitle(QStringLiteral("Function"));
  pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
  pdf.setPageSize(QPageSize(QSizeF(breite * 72.0 / bildpunkteprozoll, hoehe * 72.0 / bildpunkteprozoll),
                            QPageSize::Point, QString(), QPageSize::ExactMatch));
  QtCanvas leinwand(pdf);
  if (!leinwand.painter().isActive()) return false;
  vektorzeichnung(leinwand, breite, hoehe);
  return leinwand.painter().end();
}

}  // namespace

QString bildspeichern(int filterindex, const QString& name, const QImage& bildschirm) {
  if (QString leer = ohnebildpunkte(bildschirm.width(), bildschirm.height()); !leer.isEmpty()) return leer;
  const Bildformat* f = bildformat(filterindex);
  if (!f) return QStringLiteral("Неизвестный формат рисунка.");
  return dateischreiben(
      name, [&](QIODevice& datei, QString& fehler) { return f->schreiben(bildschirm, datei, fehler); },
      f->vollstaendig);
}

// ---------------------------------------------------------------- printing

Seitenrechteck seitenrechteck(int pw, int breite, int hoehe) {
  const int h = Round(static_cast<double>(pw - 20) / breite * hoehe);
  return {20, 20, pw - 20, h};
}

namespace {

// On a printer or, for printing into a file, on a PDF writer with the printer's page.
QString seitedrucken(QPagedPaintDevice& drucker, int breite, int hoehe) {
  const int pw = drucker.width(), ph = drucker.height();
  if (pw <= 40 || ph <= 40) return QStringLiteral("Страница принтера слишком мала");
  const int v = Round(ph * (static_cast<double>(breite) / pw) + 20);
  grafb = breite;
  grafh = hoehe;
  abbildungeinrichten(breite, hoehe);

  // The drawing is recorded as a vector picture first, with blanking bands over
  // whatever it put outside its area, then stretched onto the page.
  QSvgRenderer bild(svgbild(breite, hoehe, [&](Canvas& leinwand) {
    leinwand.setBrushColor(weiss);
    leinwand.setPenStyle(psClear);
    leinwand.Rectangle(-20, -20, breite + 20, -1);
    leinwand.Rectangle(-20, -20, -1, v);
    leinwand.Rectangle(breite + 1, -20, breite + 20, v);
    leinwand.Rectangle(-20, hoehe + 1, breite + 20, v);
  }));
  QPainter maler;
  if (!maler.begin(&drucker)) return QStringLiteral("Печать не началась");
  const Seitenrechteck r = seitenrechteck(pw, breite, hoehe);
  bild.render(&maler, QRectF(r.links, r.oben, r.rechts - r.links, r.unten - r.oben));
  if (!maler.end()) return QStringLiteral("Печать не завершена");
  return {};
}

// The PDF printer would write its file itself, over the old one and without
// reporting a failed write: the same pages go through the one write routine
// instead, drawn by a PDF writer with the printer's page layout and resolution.
QString indateidrucken(QPrinter& drucker, const std::function<QString(QPagedPaintDevice&)>& drucken) {
  return dateischreiben(
      drucker.outputFileName(),
      [&](QIODevice& datei, QString& fehler) {
        QPdfWriter pdf(&datei);
        pdf.setTitle(QStringLiteral("Function"));
        pdf.setCreator(drucker.creator());
        pdf.setResolution(drucker.resolution());
        pdf.setPageLayout(drucker.pageLayout());
        fehler = drucken(pdf);
        return fehler.isEmpty();
      },
      pdfvollstaendig);
}

// A print preview paints through a recording engine of its own, whatever file
// the printer names.
bool vorschau(QPrinter& drucker) {
  const QPaintEngine* maschine = drucker.paintEngine();
  return maschine && maschine->type() == QPaintEngine::Picture;
}

}  // namespace

QString geschuetztdrucken(QPrinter& drucker, const std::function<QString(QPagedPaintDevice&)>& drucken) {
  if (drucker.outputFormat() == QPrinter::PdfFormat && !drucker.outputFileName().isEmpty() && !vorschau(drucker))
    return indateidrucken(drucker, drucken);
  return drucken(drucker);
}

QString druckseite(QPrinter& drucker, int breite, int hoehe) {
  if (QString leer = ohnebildpunkte(breite, hoehe); !leer.isEmpty()) return leer;
  drucker.setDocName(QStringLiteral("Function"));
  return geschuetztdrucken(drucker, [&](QPagedPaintDevice& geraet) { return seitedrucken(geraet, breite, hoehe); });
}

QString standarddruck(int breite, int hoehe) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  // A default QPrinter stays valid without any printer and prints to nowhere.
  if (info.isNull()) return QStringLiteral("Принтер по умолчанию не установлен.");
  QPrinter drucker(info, QPrinter::HighResolution);
  return druckseite(drucker, breite, hoehe);
}
