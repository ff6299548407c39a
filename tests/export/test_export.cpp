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
#include <QProcess>
#include <QPageSize>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>
#include <memory>
#include <set>

#include <emf2svg.h>
#include <unistd.h>

#include "abbildung.h"
#include "bildexport.h"
#include "fktint.h"
#include "graf_rus.h"
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

QImage bildschirm() {
  QtBitmap b(steuer.PaintBox1_width, steuer.PaintBox1_height);
  neuzeichnen(b.canvas());
  return b.image();
}

QByteArray lesen(const QString& pfad) {
  QFile f(pfad);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

quint32 le32(const QByteArray& d, int o) {
  return quint32(quint8(d[o])) | quint32(quint8(d[o + 1])) << 8 | quint32(quint8(d[o + 2])) << 16 |
         quint32(quint8(d[o + 3])) << 24;
}
quint16 le16(const QByteArray& d, int o) { return quint16(quint8(d[o]) | quint8(d[o + 1]) << 8); }

std::set<QRgb> farben(const QImage& quelle) {
  const QImage b = quelle.convertToFormat(QImage::Format_RGB32);
  std::set<QRgb> s;
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) s.insert(b.pixel(x, y) | 0xFF000000);
  return s;
}

bool hat(const QImage& b, QRgb c) { return farben(b).count(c) > 0; }

// The metafile through the independent reader, as SVG text.
QString emfalssvg(QByteArray emf) {
  generatorOptions o{};
  o.svgDelimiter = true;
  char* aus = nullptr;
  size_t laenge = 0;
  const int gut = emf2svg(emf.data(), static_cast<size_t>(emf.size()), &aus, &laenge, &o);
  const QString svg = gut && aus ? QString::fromUtf8(aus, static_cast<qsizetype>(laenge)) : QString();
  free(aus);
  return svg;
}

// First record EMR_HEADER with its signature, bounds describing W x H.
void emfkopfpruefen(const QByteArray& d, int breite, int hoehe) {
  QVERIFY(d.size() > 108);
  QCOMPARE(le32(d, 0), 1u);
  QCOMPARE(d.mid(40, 4), QByteArray(" EMF"));
  QCOMPARE(int(le32(d, 16)) - int(le32(d, 8)), breite);
  QCOMPARE(int(le32(d, 20)) - int(le32(d, 12)), hoehe);
  QCOMPARE(le32(d, 48), quint32(d.size()));
}

QImage pdfseite(const QString& pdf, int dpi) {
  if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) return {};
  const QString stamm = pdf + "-seite";
  QProcess::execute("pdftoppm", {"-png", "-r", QString::number(dpi), "-singlefile", pdf, stamm});
  return QImage(stamm + ".png");
}

// Types a name into the dialog's name field, as a user does.
void namensfeld(QFileDialog* d, const QString& name) {
  if (auto* feld = d->findChild<QLineEdit*>("fileNameEdit")) feld->setText(name);
}

// Runs `handeln` once the next modal dialog is up, with it as argument. Where
// the dialog may not come, `besitzer` ends the waiting with its own life.
void beimdialog(std::function<void(QWidget*)> handeln, QObject* besitzer = nullptr) {
  auto* uhr = new QTimer(besitzer);
  uhr->setInterval(20);
  QObject::connect(uhr, &QTimer::timeout, [uhr, handeln] {
    if (QWidget* d = QApplication::activeModalWidget()) {
      uhr->stop();
      uhr->deleteLater();
      handeln(d);
    }
  });
  uhr->start();
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
    for (int filter = 1; filter <= 6; ++filter) {
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
      }
    }
  }

  void filterEntscheidetFormatUndEndung() {
    zustandsetzen();
    const QImage schirm = bildschirm();
    struct Fall {
      int filter;
      const char* name;
      const char* geschrieben;
      QByteArray anfang;
    };
    const Fall faelle[] = {
        {2, "sechzehn.gif", "sechzehn.gif", "BM"},  // the filter wins over the extension
        {3, "ohne", "ohne.gif", "GIF8"},
        {1, "ohne", "ohne.bmp", "BM"},
        {4, "vektor.emf", "vektor.emf", QByteArray("\x01\0\0\0", 4)},
        {5, "ohne", "ohne.svg", "<?xml"},
        {6, "ohne", "ohne.pdf", "%PDF"},
    };
    for (const Fall& f : faelle) {
      const QString name = dateiname(f.filter, pfad(f.name));
      QCOMPARE(name, pfad(f.geschrieben));
      QCOMPARE(bildspeichern(f.filter, name, schirm), QString());
      QVERIFY2(lesen(name).startsWith(f.anfang), f.geschrieben);
    }
    QCOMPARE(le16(lesen(pfad("sechzehn.gif")), 28), quint16(4));
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
    QCOMPARE(druckseite(drucker, 830, 597), QString());
    const QImage seite = pdfseite(pfad("seite.pdf"), 300);
    if (seite.isNull()) QSKIP("pdftoppm is not installed");
    // The printable area lies inside the page; the page rectangle is relative to it.
    const QRect bereich = drucker.pageLayout().paintRectPixels(300);
    const Seitenrechteck s = seitenrechteck(drucker.width(), 830, 597);
    const QRect innen(bereich.left() + s.links, bereich.top() + s.oben, s.rechts - s.links, s.unten - s.oben);
    const QImage b = seite.convertToFormat(QImage::Format_RGB32);
    // The outline of the white ground lies one drawing pixel outside the picture.
    const int rand = static_cast<int>(std::ceil((s.rechts - s.links) / 830.0)) + 2;
    int aussen = 0, farbig = 0;
    for (int y = 0; y < b.height(); ++y)
      for (int x = 0; x < b.width(); ++x) {
        const QRgb c = b.pixel(x, y) | 0xFF000000;
        if (c == 0xFFFFFFFF) continue;
        if (!innen.adjusted(-rand, -rand, rand, rand).contains(x, y)) ++aussen;
        if (qBlue(c) > 200 && qRed(c) < 80) ++farbig;
      }
    QCOMPARE(aussen, 0);
    QVERIFY(farbig > 500);
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
    QCOMPARE(gesehen.value(2), QStringLiteral("6"));
    QCOMPARE(gesehen.value(3), QString());
    QCOMPARE(gesehen.value(4), QStringLiteral("Rueckfrage"));
    QCOMPARE(QImage(pfad("fenster.bmp")).size(), QSize(830, 597));

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
