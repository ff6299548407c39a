// The picture leaves the program: the vector drawing (enhanced metafile, SVG,
// PDF, and a raster of it for the clipboard), the picture files, the clipboard
// and the printed page. No window is needed; the handlers of the main window
// add the dialogs and the error display.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

class Canvas;
class QFileDialog;
class QMimeData;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

// Font, white ground with its outline just outside the W x H area, hollow
// brush, then the coordinate system and the plot pass, with the mapping fields
// as they are now.
void vektorzeichnung(Canvas& leinwand, int breite, int hoehe);

// The vector drawing as an enhanced metafile's bytes (empty when recording failed).
QByteArray emfbild(int breite, int hoehe);
// The same drawing through the SVG generator (with `danach` drawn over it, when
// given), and painted into an image.
QByteArray svgbild(int breite, int hoehe, const std::function<void(Canvas&)>& danach = {});
QImage rasterbild(int breite, int hoehe);

// The three clipboard formats of one drawing: "image/x-emf", "image/svg+xml", "image/png".
QMimeData* kopiedaten(int breite, int hoehe);
// Replaces the clipboard's contents with them.
void zwischenablagekopieren(int breite, int hoehe);

// The save dialog's filters in their order, numbered from 1; the first four
// are the classic ones, so their numbers stay, and new ones go at the end.
enum Filterindex {
  filter_bmp = 1, filter_bmp16, filter_gif, filter_emf, filter_svg, filter_pdf, filter_png,
  // SVG and PDF with the result list below the drawing
  filter_svgliste, filter_pdfliste
};
extern const QStringList sd1filter;
// The extension of each filter, for names typed without one.
QString filterendung(int filterindex);
// What is written for the filter chosen and the name typed: the data always
// match the name's extension. An extension of another known format switches
// to that format (".emf" counts for the metafile); a name without extension,
// or with one no format knows, gets the chosen filter's appended.
struct Bildziel {
  int filterindex;
  QString name;
};
Bildziel bildziel(int filterindex, const QString& name);
// The name of bildziel alone.
QString dateiname(int filterindex, const QString& name);
// Sets up the dialog `SD1`: title, filters, GIF selected, empty name,
// overwrite confirmation; the default extension follows the filter.
void sd1einrichten(QFileDialog& dialog);

// The refusal of a drawing without pixels (0 wide or high), or empty.
QString ohnebildpunkte(int breite, int hoehe);

// Writes the file of the filter index, the raster formats from the screen
// drawing, through a temporary file that replaces the target only when every
// byte was written. Returns the reason of a failure (the old file is then
// unchanged), or empty.
QString bildspeichern(int filterindex, const QString& name, const QImage& bildschirm);

// The standard sixteen colours of a 4-bit bitmap.
QList<QRgb> palette16();

// The page of the print path on a printer that is set up already: the mapping
// recomputed for W x H, the drawing with its blanking bands stretched into the
// page rectangle. A PDF printer's file is replaced only by a complete
// document. Returns the reason of a failure, or empty.
QString druckseite(QPrinter& drucker, int breite, int hoehe);
// Runs `drucken` on the printer; where that is a PDF printer with a file
// (and no preview), on a PDF writer through the one write routine, which
// replaces the target only when the document is complete.
QString geschuetztdrucken(QPrinter& drucker, const std::function<QString(QPagedPaintDevice&)>& drucken);
// The page rectangle for a printable width and height: left, top, right, bottom.
struct Seitenrechteck {
  int links, oben, rechts, unten;
};
Seitenrechteck seitenrechteck(int pw, int breite, int hoehe);
// The print on the default printer; the reason when there is none or printing failed.
QString standarddruck(int breite, int hoehe);
