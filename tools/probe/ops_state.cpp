// The worksheet file: reading a text as the window opens a file, and writing the
// state of a request as the window saves it.
#include <QString>

#include "abbildung.h"
#include "arbeitsblatt.h"
#include "blattdatei.h"
#include "ops_plot.h"
#include "probe.h"

using namespace abbildung;

namespace {

// {"text": document} -> {"text": the document as written back} or {"error": message};
// "view" is the file's view, or null for the standard view.
const bool lesen_op = probe_op("blatt_lesen", [](const json& r) {
  Steuerzustand z;
  std::optional<Sicht> sicht;
  const std::string fehler = blattlesen(r.value("text", std::string()), r.value("name", std::string("probe")), z, sicht);
  if (!fehler.empty()) return json{{"error", fehler}};
  json antwort{{"text", blattschreiben(z, sicht.value_or(Sicht{0, 0, 0, 0}))}, {"view", nullptr}};
  if (sicht) antwort["view"] = {sicht->xmin, sicht->xmax, sicht->ymin, sicht->ymax};
  return antwort;
});

// The request's "state", "view", "width" and "height" as for "pass" -> {"text": document}.
const bool schreiben_op = probe_op("blatt_schreiben", [](const json& r) {
  if (std::string fehler = zeichenzustand(r); !fehler.empty()) return json{{"error", fehler}};
  return json{{"text", blattschreiben(steuer, Sicht{xmin, xmax, ymin, ymax})}};
});

// The request's "state" (and "view", "width", "height" as for "pass") saved to
// "path" as Ctrl+S saves it -> {"file": path} or {"error": message}.
const bool sichern_op = probe_op("blatt_sichern", [](const json& r) {
  if (!r.contains("path") || !r["path"].is_string()) return json{{"error", "path: text expected"}};
  if (std::string fehler = zeichenzustand(r); !fehler.empty()) return json{{"error", fehler}};
  const std::string pfad = r["path"].get<std::string>();
  const QString fehler = blattsichern(QString::fromStdString(pfad), steuer, Sicht{xmin, xmax, ymin, ymax});
  if (!fehler.isEmpty()) return json{{"error", fehler.toStdString()}};
  return json{{"file", pfad}};
});

}  // namespace
