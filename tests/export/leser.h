// The screen drawing to compare with, and independent readers of the exported
// files: the bytes, the headers, the colours of a raster, the metafile through
// libemf2svg and the PDF through pdftoppm.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTest>
#include <cstdlib>
#include <set>

#include <emf2svg.h>

#include "plotpass.h"
#include "qtcanvas.h"
#include "steuerzustand.h"

// What the screen shows for the current state and view: the window's repaint.
inline QImage bildschirm() {
  QtBitmap b(steuer.PaintBox1_width, steuer.PaintBox1_height);
  neuzeichnen(b.canvas());
  return b.image();
}

inline QByteArray lesen(const QString& pfad) {
  QFile f(pfad);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline quint32 le32(const QByteArray& d, int o) {
  return quint32(quint8(d[o])) | quint32(quint8(d[o + 1])) << 8 | quint32(quint8(d[o + 2])) << 16 |
         quint32(quint8(d[o + 3])) << 24;
}
inline quint16 le16(const QByteArray& d, int o) { return quint16(quint8(d[o]) | quint8(d[o + 1]) << 8); }

inline std::set<QRgb> farben(const QImage& quelle) {
  const QImage b = quelle.convertToFormat(QImage::Format_RGB32);
  std::set<QRgb> s;
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x) s.insert(b.pixel(x, y) | 0xFF000000);
  return s;
}

inline bool hat(const QImage& b, QRgb c) { return farben(b).count(c) > 0; }

// The metafile through the independent reader, as SVG text.
inline QString emfalssvg(QByteArray emf) {
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
inline void emfkopfpruefen(const QByteArray& d, int breite, int hoehe) {
  QVERIFY(d.size() > 108);
  QCOMPARE(le32(d, 0), 1u);
  QCOMPARE(d.mid(40, 4), QByteArray(" EMF"));
  QCOMPARE(int(le32(d, 16)) - int(le32(d, 8)), breite);
  QCOMPARE(int(le32(d, 20)) - int(le32(d, 12)), hoehe);
  QCOMPARE(le32(d, 48), quint32(d.size()));
}

inline QImage pdfseite(const QString& pdf, int dpi) {
  if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) return {};
  const QString stamm = pdf + "-seite";
  QProcess::execute("pdftoppm", {"-png", "-r", QString::number(dpi), "-singlefile", pdf, stamm});
  return QImage(stamm + ".png");
}
