// Picture export: every format read back by a reader of its own, the filter
// that decides the format, failed writes that keep the old file, the save
// dialog, the clipboard, and the print path with and without a printer.
#include <QBuffer>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QCheckBox>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QPageSize>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <set>

#include <sys/resource.h>
#include <csignal>
#include <unistd.h>

#include "abbildung.h"
#include "bildexport.h"
#include "blattdatei.h"
#include "fktint.h"
#include "graf_rus.h"
#include "dialoge.h"
#include "ergebnisblatt.h"
#include "leser.h"
#include "paintbox.h"
#include "plotpass.h"
#include "qtcanvas.h"
#include "steuerzustand.h"

using namespace abbildung;

namespace {

constexpr QRgb blau = 0xFF0000FF, rot = 0xFFFF0000;

// The drawing state of the tests: the first two terms and the antiderivative,
// whose label is Cyrillic.
void zustandsetzen(int breite = 830, int hoehe = 597) {
  steuer = Steuerzustand{};
  steuer.c_f2 = true;
  steuer.c_stammfunktion = true;
  steuer.PaintBox1_width = breite;
  steuer.PaintBox1_height = hoehe;
  xmin = -6, xmax = 6, ymin = hoehe * -6.0 / breite, ymax = hoehe * 6.0 / breite;
  P = 1;
  listeloeschen();
  termanhaengen(steuer.ed_f1);
  termanhaengen(steuer.ed_f2);
}

// While it lives, no file of the process may grow beyond `bytes`; a write past
// that fails (EFBIG) instead of ending the process, as on a full disk.
class Groessengrenze {
 public:
  explicit Groessengrenze(rlim_t bytes) : signal(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &vorher);
    rlimit neu = vorher;
    neu.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &neu);
  }
  ~Groessengrenze() {
    setrlimit(RLIMIT_FSIZE, &vorher);
    std::signal(SIGXFSZ, signal);
  }

 private:
  rlimit vorher{};
  void (*signal)(int);
};

// An old file with a NUL and a high byte inside, taken whole (without the literal's end).
constexpr char altbytes[] = "GIF89a alter Inhalt\0\xff\x01 bleibt";
const QByteArray altinhalt(altbytes, sizeof altbytes - 1);

void altedatei(const QString& name) {
  QFile f(name);
  QVERIFY(f.open(QIODevice::WriteOnly));
  QCOMPARE(f.write(altinhalt), altinhalt.size());
}

// The text of a PDF through poppler's reader, blanks run together; empty
// where the reader is missing.
QString pdftext(const QString& pdf) {
  if (QStandardPaths::findExecutable("pdftotext").isEmpty()) return {};
  QProcess p;
  p.start("pdftotext", {"-layout", pdf, "-"});
  p.waitForFinished(60000);
  return QString::fromUtf8(p.readAllStandardOutput()).replace(QRegularExpression("[ \t]+"), " ");
}

QString einfach(const std::u16string& zeile) {
  return QString::fromStdU16String(zeile).replace(QRegularExpression("[ \t]+"), " ").trimmed();
}

// A state whose result list fills several pages: the value table.
void langeliste() {
  zustandsetzen(590, 597);
  steuer.c_ergebnisliste = steuer.Mergebnis_visible = true;
  steuer.c_wertetabelle = true;
  steuer.c_nullstellen = true;
}

// Every format at the default size and as a small drawing (below Qt's write
// buffer, so that only the final flush fails), the PDF printer and the
// worksheet; `schreiben` runs each under the failing condition. Each must
// report and keep the old file.
void jedesformatscheitert(const QString& ordner, const std::function<QString(std::function<QString()>)>& schreiben) {
  for (const QSize groesse : {QSize(830, 597), QSize(60, 40)}) {
    zustandsetzen(groesse.width(), groesse.height());
    const QImage schirm = bildschirm();
    // The filters, then the PDF printer, then the worksheet.
    constexpr int druckpfad = filter_pdfliste + 1, blattpfad = druckpfad + 1;
    for (int filter = 1; filter <= blattpfad; ++filter) {
      const QString endung = filter == druckpfad ? "pdf" : filter == blattpfad ? "fpblatt" : filterendung(filter);
      const QString name = QString("%1/alt%2-%3.%4").arg(ordner).arg(filter).arg(groesse.width()).arg(endung);
      altedatei(name);
      const QString meldung = schreiben([&] {
        if (filter < druckpfad) return bildspeichern(filter, name, schirm);
        if (filter == blattpfad) return blattsichern(name, steuer, Sicht{xmin, xmax, ymin, ymax});
        QPrinter drucker(QPrinter::HighResolution);
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setOutputFileName(name);
        drucker.setPageSize(QPageSize(QPageSize::A4));
        return druckseite(drucker, groesse.width(), groesse.height());
      });
      QVERIFY2(meldung.contains("не записан") && meldung.contains(name), qPrintable(name + ": " + meldung));
      QVERIFY2(meldung.contains("Прежний файл не изменён"), qPrintable(meldung));
      QCOMPARE(lesen(name), altinhalt);
    }
  }
  // No temporary file is left beside the old ones.
  const QStringList reste = QDir(ordner).entryList(QDir::Files | QDir::Hidden);
  const QRegularExpression alt("^alt([1-9]|1[01])-(830|60)\\.(bmp|gif|wmf|svg|pdf|png|fpblatt)$");
  QVERIFY2(std::all_of(reste.begin(), reste.end(), [&](const QString& n) { return alt.match(n).hasMatch(); }),
           qPrintable(reste.join(' ')));
}

}  // namespace

class ExportTest : public QObject {
  Q_OBJECT

  QTemporaryDir ordner;
  QString pfad(const QString& name) { return ordner.filePath(name); }

 private slots:
  void initTestCase() {
    schriftersatz();
    QVERIFY(ordner.isValid());
  }

  void formateVonEigenenLesernGelesen() {
    zustandsetzen();
    const QImage schirm = bildschirm();
    for (int filter = 1; filter <= filter_png; ++filter) {
      const QString name = dateiname(filter, pfad(QString("format%1").arg(filter)));
      QCOMPARE(bildspeichern(filter, name, schirm), QString());
      const QByteArray d = lesen(name);
      switch (filter) {
        case 1: {
          QCOMPARE(d.left(2), QByteArray("BM"));
          QVERIFY(le16(d, 28) == 24 || le16(d, 28) == 32);
          const QImage b(name);
          QCOMPARE(b.size(), QSize(830, 597));
          QCOMPARE(b.convertToFormat(QImage::Format_RGB32), schirm);
          break;
        }
        case 2: {
          QCOMPARE(le16(d, 28), quint16(4));
          QCOMPARE(le32(d, 46), 16u);
          const QImage b(name);
          QCOMPARE(b.size(), QSize(830, 597));
          std::set<QRgb> erlaubt;
          for (QRgb c : palette16()) erlaubt.insert(c | 0xFF000000);
          for (QRgb c : farben(b)) QVERIFY(erlaubt.count(c));
          QVERIFY(hat(b, blau) && hat(b, rot));
          break;
        }
        case 3: {
          QCOMPARE(d.left(3), QByteArray("GIF"));
          const QImage b(name, "GIF");
          QCOMPARE(b.size(), QSize(830, 597));
          if (farben(schirm).size() <= 256)
            QCOMPARE(b.convertToFormat(QImage::Format_RGB32), schirm);
          else
            QVERIFY(hat(b, blau) && hat(b, rot));
          break;
        }
        case 4: {
          QVERIFY(name.endsWith(".wmf"));
          emfkopfpruefen(d, 830, 597);
          const QString svg = emfalssvg(d);
          QVERIFY2(svg.contains("Первообразная f1"), "Cyrillic label");
          QVERIFY(svg.contains("Y = X*SIN(X+P)"));
          QVERIFY(svg.contains(QRegularExpression("<path d=\"M [^\"]*(L [^\"]*){50}[^>]*stroke=\"#0000FF\"")) ||
                  svg.count("stroke=\"#0000FF\"") > 100);
          break;
        }
        case 5: {
          QSvgRenderer r(d);
          QVERIFY(r.isValid());
          QCOMPARE(r.viewBox(), QRect(0, 0, 830, 597));
          QImage b(830, 597, QImage::Format_RGB32);
          b.fill(Qt::white);
          QPainter m(&b);
          r.render(&m);
          m.end();
          QVERIFY(hat(b, blau) && hat(b, rot));
          break;
        }
        case 6: {
          QCOMPARE(d.left(5), QByteArray("%PDF-"));
          const QImage b = pdfseite(name, 96);
          if (b.isNull()) break;
          // 622.5 x 447.75 points; the reader rounds the page up to whole pixels.
          QVERIFY(qAbs(b.width() - 830) <= 1 && qAbs(b.height() - 597) <= 1);
          QVERIFY(hat(b, blau) && hat(b, rot));
          break;
        }
        case 7: {
          QCOMPARE(d.left(8), QByteArray("\x89PNG\r\n\x1a\n"));
          QCOMPARE(QImage(name, "PNG").convertToFormat(QImage::Format_RGB32), schirm);
          break;
        }
      }
    }
  }

  // The data always match the extension written: the filter decides where the
  // name has none of its own, a known extension of another format switches to it.
  void datenPassenZurEndung() {
    zustandsetzen();
    const QImage schirm = bildschirm();
    struct Fall {
      int filter;
      const char* name;
      const char* geschrieben;
      int format;
    };
    const Fall faelle[] = {
        {filter_gif, "ohne", "ohne.gif", filter_gif},
        {filter_bmp, "ohne", "ohne.bmp", filter_bmp},
        {filter_svg, "ohne", "ohne.svg", filter_svg},
        {filter_png, "ohne", "ohne.png", filter_png},
        {filter_gif, "урок1.png", "урок1.png", filter_png},
        {filter_bmp16, "sechzehn.gif", "sechzehn.gif", filter_gif},
        {filter_bmp16, "sechzehn.BMP", "sechzehn.BMP", filter_bmp16},
        {filter_gif, "voll.bmp", "voll.bmp", filter_bmp},
        {filter_emf, "vektor.emf", "vektor.emf", filter_emf},
        {filter_svg, "vektor.emf", "vektor.emf", filter_emf},
        {filter_pdf, "bild.Svg", "bild.Svg", filter_svg},
        {filter_png, "seite.pdf", "seite.pdf", filter_pdf},
        {filter_pdfliste, "liste.PDF", "liste.PDF", filter_pdfliste},
        {filter_svgliste, "liste.pdf", "liste.pdf", filter_pdf},
        {filter_gif, "foto.jpg", "foto.jpg.gif", filter_gif},
        {filter_gif, "урок 3.2", "урок 3.2.gif", filter_gif},
    };
    // The first bytes of each filter's format.
    const QList<QByteArray> anfang = {"BM",   "BM",     "GIF8", QByteArray("\x01\0\0\0", 4), "<?xml",
                                      "%PDF", "\x89PNG", "<?xml", "%PDF"};
    for (const Fall& f : faelle) {
      const Bildziel ziel = bildziel(f.filter, pfad(f.name));
      QCOMPARE(ziel.name, pfad(f.geschrieben));
      QCOMPARE(ziel.filterindex, f.format);
      QCOMPARE(bildspeichern(ziel.filterindex, ziel.name, schirm), QString());
      QVERIFY2(lesen(ziel.name).startsWith(anfang[f.format - 1]), f.geschrieben);
      if (f.format <= filter_bmp16) QCOMPARE(le16(lesen(ziel.name), 28) == 4, f.format == filter_bmp16);
    }
  }

  void fehlschlagBehaeltAlteDatei() {
    const QString alt = pfad("alt.bmp");
    {
      QFile f(alt);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write("alter Inhalt");
    }
    // A write that fails half-way (no picture to encode) leaves the old file.
    QVERIFY(!bildspeichern(1, alt, QImage()).isEmpty());
    QCOMPARE(lesen(alt), QByteArray("alter Inhalt"));
    QCOMPARE(QDir(ordner.path()).entryList(QDir::Files | QDir::Hidden).filter("alt").size(), 1);

    zustandsetzen();
    const QImage schirm = bildschirm();
    // A folder that does not exist, a folder as name, an empty name: each reported.
    for (const QString& name : {pfad("fehlt/bild.gif"), ordner.path(), QString()})
      QVERIFY2(!bildspeichern(3, name, schirm).isEmpty(), qPrintable(name));
    if (geteuid() != 0) {
      QDir(ordner.path()).mkdir("nurlesen");
      const QString drin = pfad("nurlesen/alt.gif");
      QCOMPARE(bildspeichern(3, drin, schirm), QString());
      const QByteArray vorher = lesen(drin);
      QFile::setPermissions(pfad("nurlesen"), QFile::ReadOwner | QFile::ExeOwner);
      QVERIFY(!bildspeichern(1, drin, schirm).isEmpty());
      QFile::setPermissions(pfad("nurlesen"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
      QCOMPARE(lesen(drin), vorher);
    }
  }

  // Writes that fail on the way (here a file-size limit, which acts like a full
  // disk for every file of the process).
  void groessengrenzeBehaeltAlteDatei() {
    QDir(ordner.path()).mkdir("grenze");
    jedesformatscheitert(pfad("grenze"), [](const std::function<QString()>& schreiben) {
      const Groessengrenze grenze(16);
      return schreiben();
    });
  }

  // A really full disk: a small tmpfs, filled up after the old files were
  // written. Needs the right to mount; skipped where it is missing.
  void vollePlatteBehaeltAlteDatei() {
    const QString punkt = pfad("tmpfs");
    QDir().mkpath(punkt);
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=256k", "tmpfs", punkt}) != 0)
      QSKIP("mounting a tmpfs is not allowed here");
    const auto aushaengen = qScopeGuard([&] { QProcess::execute("umount", {punkt}); });
    jedesformatscheitert(punkt, [&](const std::function<QString()>& schreiben) {
      QFile fueller(punkt + "/fueller");
      if (!fueller.open(QIODevice::WriteOnly)) return QString("fueller");
      const QByteArray block(4096, 'x');
      while (fueller.write(block) == block.size() && fueller.flush()) {
      }
      fueller.close();
      const QString meldung = schreiben();
      QFile::remove(punkt + "/fueller");
      return meldung;
    });
  }

  // A drawing without pixels is refused in every format and on paper; nothing is written.
  void ohneBildpunkteNichtsGeschrieben() {
    zustandsetzen();
    QDir(ordner.path()).mkdir("leer");
    for (const QImage& bild : {QImage(), QImage(830, 0, QImage::Format_RGB32), QImage(0, 597, QImage::Format_RGB32)})
      for (int filter = 1; filter <= filter_pdfliste; ++filter)
        QVERIFY(bildspeichern(filter, pfad("leer/bild"), bild).contains("не содержит ни одной точки"));
    altedatei(pfad("leer/alt.pdf"));
    for (const QSize groesse : {QSize(830, 0), QSize(0, 597)}) {
      QPrinter drucker(QPrinter::HighResolution);
      drucker.setOutputFormat(QPrinter::PdfFormat);
      drucker.setOutputFileName(pfad("leer/alt.pdf"));
      QVERIFY(druckseite(drucker, groesse.width(), groesse.height()).contains("не содержит ни одной точки"));
    }
    QCOMPARE(QDir(pfad("leer")).entryList(QDir::Files | QDir::Hidden), QStringList{"alt.pdf"});
    QCOMPARE(lesen(pfad("leer/alt.pdf")), altinhalt);
  }

  void metafileDerAufzeichnung() {
    zustandsetzen();
    abbildungeinrichten(830, 597);
    const QByteArray emf = emfbild(830, 597);
    emfkopfpruefen(emf, 830, 597);
    // Frame in 0.01 mm at 96 pixels per inch.
    QCOMPARE(int(le32(emf, 32)), qRound(830 * 2540 / 96.0));
    QCOMPARE(int(le32(emf, 36)), qRound(597 * 2540 / 96.0));
    // The white ground and its outline reach one pixel beyond the drawing.
    const QString svg = emfalssvg(emf);
    QVERIFY(svg.contains("<rect x=\"-1.0000\" y=\"-1.0000\" width=\"831.0000\" height=\"598.0000\"  fill=\"#FFFFFF\""));
    // Texts at 10 points: 13 pixels high.
    QVERIFY(svg.contains("font-size=\"13.0000\""));
  }

  void druckseiteImSeitenrechteck() {
    struct Fall {
      int pw, breite, hoehe;
      Seitenrechteck erwartet;
    };
    const Fall faelle[] = {{4800, 830, 597, {20, 20, 4780, 3438}}, {4800, 590, 597, {20, 20, 4780, 4837}}};
    for (const Fall& f : faelle) {
      const Seitenrechteck s = seitenrechteck(f.pw, f.breite, f.hoehe);
      QCOMPARE(s.rechts, f.erwartet.rechts);
      QCOMPARE(s.unten, f.erwartet.unten);
      QCOMPARE(s.links, 20);
      QCOMPARE(s.oben, 20);
    }

    zustandsetzen();
    QPrinter drucker(QPrinter::HighResolution);
    drucker.setOutputFormat(QPrinter::PdfFormat);
    drucker.setOutputFileName(pfad("seite.pdf"));
    drucker.setPageSize(QPageSize(QPageSize::A4));
    drucker.setResolution(300);
    // Printing into a file leaves no temporary file anywhere, not even in the
    // temporary folder, where a killed run could not clean it up.
    const QStringList vorher = QDir::temp().entryList({"*.pdf"}, QDir::Files | QDir::Hidden);
    QCOMPARE(druckseite(drucker, 830, 597), QString());
    QCOMPARE(QDir::temp().entryList({"*.pdf"}, QDir::Files | QDir::Hidden), vorher);
    QCOMPARE(QDir(ordner.path()).entryList({".*"}, QDir::Files | QDir::Hidden), QStringList());
    const QImage seite = pdfseite(pfad("seite.pdf"), 300);
    if (seite.isNull()) QSKIP("pdftoppm is not installed");
    // The printable area lies inside the page; the page rectangle is relative to it.
    const QRect bereich = drucker.pageLayout().paintRectPixels(300);
    const Seitenrechteck s = seitenrechteck(drucker.width(), 830, 597);
    const QRect innen(bereich.left() + s.links, bereich.top() + s.oben, s.rechts - s.links, s.unten - s.oben);
    const QImage b = seite.convertToFormat(QImage::Format_RGB32);
    // The outline of the white ground lies one drawing pixel outside the picture.
    const int rand = static_cast<int>(std::ceil((s.rechts - s.links) / 830.0)) + 2;
    int aussen = 0, bunt = 0;
    for (int y = 0; y < b.height(); ++y)
      for (int x = 0; x < b.width(); ++x) {
        const QRgb c = b.pixel(x, y) | 0xFF000000;
        if (c == 0xFFFFFFFF) continue;
        if (!innen.adjusted(-rand, -rand, rand, rand).contains(x, y)) ++aussen;
        if (qBlue(c) > 200 && qRed(c) < 80) ++bunt;
      }
    QCOMPARE(aussen, 0);
    QVERIFY(bunt > 500);
  }

  // The print dialog's job with the list: the terms as typed, the drawing, and
  // the whole list over several pages; without it the one specified page.
  void druckMitErgebnissen() {
    langeliste();
    const auto drucken = [&](const QString& name, bool mitliste) {
      QPrinter drucker(QPrinter::HighResolution);
      drucker.setOutputFormat(QPrinter::PdfFormat);
      drucker.setOutputFileName(pfad(name));
      drucker.setPageSize(QPageSize(QPageSize::A4));
      return druckauftrag(drucker, 590, 597, mitliste);
    };
    QCOMPARE(drucken("mitliste.pdf", true), QString());
    const QString text = pdftext(pfad("mitliste.pdf"));
    if (text.isEmpty()) QSKIP("pdftotext is not installed");
    QVERIFY(ergebnisliste.size() > 100);
    for (const QString& teil : {QString("f1(x) = X*SIN(X+P)"), QString("f2(x) = X^2/4-2"), einfach(ergebnisliste.front()),
                                QString("Нули"), einfach(ergebnisliste.back())})
      QVERIFY2(text.contains(teil), qPrintable(teil));
    QVERIFY2(text.count('\f') >= 3, qPrintable(QString::number(text.count('\f'))));
    // The drawing is on the first page, in colour.
    const QImage seite = pdfseite(pfad("mitliste.pdf"), 50);
    QVERIFY(seite.isNull() || (hat(seite, blau) || hat(seite, rot)));

    QCOMPARE(drucken("ohneliste.pdf", false), QString());
    const QString ohne = pdftext(pfad("ohneliste.pdf"));
    QVERIFY(!ohne.contains("f1(x) =") && !ohne.contains(einfach(ergebnisliste.back())));
    QCOMPARE(ohne.count('\f'), 1);
  }

  // The same composition in the picture files that carry the list.
  void bilderMitErgebnissen() {
    langeliste();
    const QImage schirm = bildschirm();
    QCOMPARE(bildspeichern(filter_pdfliste, pfad("liste.pdf"), schirm), QString());
    QCOMPARE(bildspeichern(filter_svgliste, pfad("liste.svg"), schirm), QString());
    const QString svg = QString::fromUtf8(lesen(pfad("liste.svg")));
    const QSvgRenderer r(lesen(pfad("liste.svg")));
    QVERIFY(r.isValid());
    QCOMPARE(r.viewBox().width(), 590);
    QVERIFY(r.viewBox().height() > 597 + 100 * 10);
    const QString text = pdftext(pfad("liste.pdf"));
    for (const QString& teil : {QString("f1(x) = X*SIN(X+P)"), QString("Нули"), einfach(ergebnisliste.back())}) {
      QVERIFY2(text.isEmpty() || text.contains(teil), qPrintable(teil));
      QVERIFY2(svg.contains(teil.section(' ', 0, 0)), qPrintable(teil));
    }
  }

  // «Печать…» opens the preview; the choice of the list changes its pages, and
  // its print goes to the dialog's printer, here a PDF file.
  void druckenUeberDieVorschau() {
    langeliste();
    steuer.c_ergebnisliste = steuer.Mergebnis_visible = false;
    auto f = std::make_unique<TFGraf>();
    f->show();
    QVERIFY(QTest::qWaitForWindowActive(f.get()));
    f->c_ergebnisliste->click();
    QCOMPARE(f->Drucken1->text(), QStringLiteral("Печать…"));
    QCOMPARE(f->Drucken1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    int ohne = 0, mit = 0;
    beimdialog([&](QWidget* w) {
      auto* d = qobject_cast<QPrintPreviewDialog*>(w);
      QVERIFY(d);
      auto* seiten = d->findChild<QPrintPreviewWidget*>();
      auto* mitliste = d->findChild<QCheckBox*>("mitliste");
      // With the memo shown the list is chosen at first.
      QVERIFY(seiten && mitliste && mitliste->text() == "с результатами" && mitliste->isChecked());
      mit = seiten->pageCount();
      // A file named already must not be written by the preview.
      d->printer()->setOutputFormat(QPrinter::PdfFormat);
      d->printer()->setOutputFileName(pfad("vorschau.pdf"));
      mitliste->setChecked(false);
      ohne = seiten->pageCount();
      mitliste->setChecked(true);
      QVERIFY(!QFile::exists(pfad("vorschau.pdf")));
      seiten->print();
      d->reject();
    });
    QTest::keyClick(f->ed_f1, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(ohne, 1);
    QVERIFY2(mit >= 3, qPrintable(QString::number(mit)));
    const QString text = pdftext(pfad("vorschau.pdf"));
    QVERIFY(lesen(pfad("vorschau.pdf")).startsWith("%PDF"));
    QVERIFY(text.isEmpty() || (text.contains("f1(x) = X*SIN(X+P)") && text.contains(einfach(ergebnisliste.back()))));
  }

  // Handlers on the main window: the dialog, the memo's width, the error display.
  void speichernUeberDenDialog() {
    steuer = Steuerzustand{};
    xmin = -6, xmax = 6, ymin = -5, ymax = 5;
    auto f = std::make_unique<TFGraf>();
    f->show();
    QVERIFY(QTest::qWaitForWindowActive(f.get()));

    const auto speichern = [&](int filter, const QString& name) {
      QStringList gesehen;
      beimdialog([&](QWidget* w) {
        auto* d = qobject_cast<QFileDialog*>(w);
        if (!d) return;
        gesehen << d->windowTitle() << d->selectedNameFilter() << QString::number(d->nameFilters().size())
                << d->findChild<QLineEdit*>("fileNameEdit")->text()
                << (d->testOption(QFileDialog::DontConfirmOverwrite) ? "ohne Rueckfrage" : "Rueckfrage");
        // As a user's choice: the dialog announces it.
        d->selectNameFilter(sd1filter[filter - 1]);
        emit d->filterSelected(sd1filter[filter - 1]);
        d->setDirectory(QFileInfo(name).path());
        namensfeld(d, QFileInfo(name).fileName());
        static_cast<QDialog*>(d)->accept();
      });
      f->Speichern1Click();
      return gesehen;
    };
    const QStringList gesehen = speichern(1, pfad("fenster"));
    QCOMPARE(gesehen.value(0), QStringLiteral("Сохранить изображение"));
    QCOMPARE(gesehen.value(1), QStringLiteral("Изображение (*.gif)"));
    QCOMPARE(gesehen.value(2), QStringLiteral("9"));
    QCOMPARE(gesehen.value(3), QString());
    QCOMPARE(gesehen.value(4), QStringLiteral("Rueckfrage"));
    QCOMPARE(QImage(pfad("fenster.bmp")).size(), QSize(830, 597));
    // A name typed with ".png" gets PNG data under every filter.
    for (int filter = 1; filter <= filter_pdfliste; ++filter) {
      const QString name = pfad(QString("окно-урок%1.png").arg(filter));
      speichern(filter, name);
      QVERIFY2(lesen(name).startsWith("\x89PNG\r\n\x1a\n"), qPrintable(name));
      QCOMPARE(QImage(name, "PNG").size(), QSize(830, 597));
    }

    // A name the dialog confirmed but that gets the filter's extension appended
    // asks again before it replaces a file of that name.
    altedatei(pfad("foto.jpg.gif"));
    QStringList fragen;
    beimdialog([&](QWidget* w) {
      auto* d = qobject_cast<QFileDialog*>(w);
      d->setDirectory(ordner.path());
      namensfeld(d, "foto.jpg");
      static_cast<QDialog*>(d)->accept();
      beimdialog([&](QWidget* box) {
        if (auto* m = qobject_cast<QMessageBox*>(box)) fragen << m->text();
        if (auto* m = qobject_cast<QMessageBox*>(box)) m->button(QMessageBox::No)->click();
      });
    });
    f->Speichern1Click();
    QCOMPARE(fragen.size(), 1);
    QVERIFY2(fragen[0].contains("foto.jpg.gif") && fragen[0].contains("Заменить"), qPrintable(fragen.value(0)));
    QCOMPARE(lesen(pfad("foto.jpg.gif")), altinhalt);
    QVERIFY(!QFile::exists(pfad("foto.jpg")));

    // With the memo shown, the drawing and so every export is narrower.
    f->Bergebnis();
    QTRY_COMPARE(f->PaintBox1->width(), 590);
    speichern(3, pfad("memo"));
    QCOMPARE(QImage(pfad("memo.gif")).size(), QSize(590, 597));
    speichern(4, pfad("memo"));
    emfkopfpruefen(lesen(pfad("memo.wmf")), 590, 597);
    f->alsWMFkopieren1Click();
    const QMimeData* ablage = QGuiApplication::clipboard()->mimeData();
    QVERIFY(ablage);
    for (const char* art : {"image/x-emf", "image/svg+xml", "image/png"}) QVERIFY2(ablage->hasFormat(art), art);
    emfkopfpruefen(ablage->data("image/x-emf"), 590, 597);
    QCOMPARE(QImage::fromData(ablage->data("image/png"), "PNG").size(), QSize(590, 597));
    QVERIFY(QSvgRenderer(ablage->data("image/svg+xml")).isValid());

    // A failed write shows the reason and changes nothing.
    const double x0 = xmin;
    const auto zeilen = ergebnisliste;
    QString meldung;
    beimdialog([&](QWidget* w) {
      auto* d = qobject_cast<QFileDialog*>(w);
      if (!d) return;
      d->setDirectory(ordner.path());
      namensfeld(d, "fehlt/bild.gif");
      static_cast<QDialog*>(d)->accept();
      beimdialog([&](QWidget* box) {
        if (auto* m = qobject_cast<QMessageBox*>(box)) {
          meldung = m->text();
          m->accept();
        }
      });
    });
    f->Speichern1Click();
    QVERIFY2(meldung.contains("bild.gif"), qPrintable(meldung));
    QCOMPARE(xmin, x0);
    QCOMPARE(ergebnisliste, zeilen);

    // A cancelled dialog writes nothing.
    const QStringList vorher = QDir(ordner.path()).entryList(QDir::Files);
    beimdialog([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    f->Speichern1Click();
    QCOMPARE(QDir(ordner.path()).entryList(QDir::Files), vorher);

    // A window shrunk until the drawing has no rows: refused before the dialog.
    f->resize(f->width(), 60);
    QTRY_COMPARE(f->PaintBox1->height(), 0);
    meldung.clear();
    beimdialog([&](QWidget* box) {
      if (auto* m = qobject_cast<QMessageBox*>(box)) meldung = m->text();
      qobject_cast<QDialog*>(box)->reject();
    });
    f->Speichern1Click();
    QVERIFY2(meldung.contains("не содержит ни одной точки"), qPrintable(meldung));
    QCOMPARE(QDir(ordner.path()).entryList(QDir::Files), vorher);
  }

  // Without a default printer the error display says so; with one (the print
  // queue test starts its own), one page goes to it.
  void druckenAufStandarddrucker() {
    steuer = Steuerzustand{};
    xmin = -6, xmax = 6, ymin = -5, ymax = 5;
    auto f = std::make_unique<TFGraf>();
    f->show();
    QVERIFY(QTest::qWaitForWindowActive(f.get()));
    const auto zeilen = ergebnisliste;
    const double y0 = ymax;
    QString meldung;
    beimdialog(
        [&](QWidget* box) {
          if (auto* m = qobject_cast<QMessageBox*>(box)) {
            meldung = m->text();
            m->accept();
          }
        },
        f.get());
    f->GrafikdruckenClick();
    if (QPrinterInfo::defaultPrinter().isNull()) {
      QCOMPARE(meldung, QStringLiteral("Принтер по умолчанию не установлен."));
    } else {
      QCOMPARE(meldung, QString());
      QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), qEnvironmentVariable("DRUCKER_ERWARTET"));
    }
    QCOMPARE(ergebnisliste, zeilen);
    QCOMPARE(ymax, y0);
  }
};

QTEST_MAIN(ExportTest)
#include "test_export.moc"
