// Picture export: the save command after its dialog, and the print path onto a PDF printer.
#include <QImage>
#include <QPageSize>
#include <QPrinter>

#include "abbildung.h"
#include "bildexport.h"
#include "ergebnisblatt.h"
#include "ops_plot.h"
#include "plotpass.h"
#include "grafikstart.h"
#include "qtcanvas.h"
#include "steuerzustand.h"

using namespace abbildung;

namespace {

// The screen drawing of the request's state, as neuzeichnen leaves it.
QImage bildschirm() {
  QtBitmap flaeche(steuer.PaintBox1_width, steuer.PaintBox1_height);
  neuzeichnen(flaeche.canvas());
  return flaeche.image();
}

const bool export_op = probe_op("export", [](const json& r) {
  if (std::string fehler = zeichenzustand(r); !fehler.empty()) return json{{"error", fehler}};
  if (!r.contains("path") || !r["path"].is_string()) return json{{"error", "path: text expected"}};
  const int filter = r.value("filter", 3);
  if (filter < 1 || filter > filter_pdfliste) return json{{"error", "filter: 1 to 9"}};
  grafikstarten();
  const Bildziel ziel = bildziel(filter, QString::fromStdString(r["path"].get<std::string>()));
  const QString fehler = bildspeichern(ziel.filterindex, ziel.name, bildschirm());
  if (!fehler.isEmpty()) return json{{"error", fehler.toStdString()}};
  return json{{"file", ziel.name.toStdString()},
              {"filter", ziel.filterindex},
              {"width", steuer.PaintBox1_width},
              {"height", steuer.PaintBox1_height}};
});

const bool print_op = probe_op("print", [](const json& r) {
  if (std::string fehler = zeichenzustand(r); !fehler.empty()) return json{{"error", fehler}};
  if (!r.contains("pdf") || !r["pdf"].is_string()) return json{{"error", "pdf: text expected"}};
  grafikstarten();
  QPrinter drucker(QPrinter::HighResolution);
  drucker.setOutputFormat(QPrinter::PdfFormat);
  drucker.setOutputFileName(QString::fromStdString(r["pdf"].get<std::string>()));
  drucker.setPageSize(QPageSize(QPageSize::A4));
  // "list": the print dialog's job with the terms and the result list over its pages.
  const QString fehler = druckauftrag(drucker, steuer.PaintBox1_width, steuer.PaintBox1_height, r.value("list", false));
  if (!fehler.isEmpty()) return json{{"error", fehler.toStdString()}};
  const Seitenrechteck s = seitenrechteck(drucker.width(), steuer.PaintBox1_width, steuer.PaintBox1_height);
  return json{{"file", r["pdf"]},
              {"page", {drucker.width(), drucker.height()}},
              {"rect", {s.links, s.oben, s.rechts, s.unten}}};
});

}  // namespace
