#include "ops_plot.h"

#include "abbildung.h"
#include "dateischreiben.h"
#include "fktint.h"
#include "plotpass.h"
#include "protokoll.h"
#include "grafikstart.h"
#include "qtcanvas.h"
#include "steuertabelle.h"
#include "zahltext.h"
#include "uableitung.h"

using namespace abbildung;

namespace {

std::string zustandsfeld(const std::string& name, const json& wert) {
  const Steuerelement* e = steuerelement(name);
  if (!e) return "unknown control state: " + name;
  static const char* const erwartet[] = {": text expected", ": boolean expected", ": integer expected"};
  if (!jsonwertsetzen(steuer, *e, wert)) return name + erwartet[static_cast<int>(art(*e))];
  return {};
}

}  // namespace

std::string zeichenzustand(const json& r) {
  // The rewrite table comes with the window's layout, once per run (FormShow).
  static const bool tabelle = (ersetzungslisteladen(), true);
  (void)tabelle;
  steuer = Steuerzustand{};
  P = 0;
  Q = 0;
  const int breite = r.value("width", 830), hoehe = r.value("height", 597);
  if (breite < 1 || hoehe < 1 || breite > 20000 || hoehe > 20000) return "width and height: 1 to 20000";
  steuer.PaintBox1_width = breite;
  steuer.PaintBox1_height = hoehe;
  if (r.contains("state")) {
    if (!r["state"].is_object()) return "state: object expected";
    for (const auto& [name, wert] : r["state"].items())
      if (std::string fehler = zustandsfeld(name, wert); !fehler.empty()) return fehler;
  }
  // The pen width's field and spinner agree, as after a worksheet or --set.
  breiteabgleichen(steuer);
  if (r.contains("view")) {
    const json& v = r["view"];
    if (!v.is_array() || v.size() != 4) return "view: [xmin, xmax, ymin, ymax] expected";
    xmin = json_zahl(v[0]), xmax = json_zahl(v[1]), ymin = json_zahl(v[2]), ymax = json_zahl(v[3]);
  } else {
    xmin = -6;
    xmax = 6;
    ymin = static_cast<double>(hoehe) * xmin / breite;
    ymax = static_cast<double>(hoehe) * xmax / breite;
  }
  funktionslistefuellen();
  return {};
}

namespace {

json zeilen(const std::vector<std::u16string>& liste) {
  json z = json::array();
  for (const auto& s : liste) z.push_back(utf8(s));
  return z;
}

const bool pass_op = probe_op("pass", [](const json& r) {
  if (std::string fehler = zeichenzustand(r); !fehler.empty()) return json{{"error", fehler}};
  grafikstarten();
  QtBitmap flaeche(steuer.PaintBox1_width, steuer.PaintBox1_height);
  std::vector<std::string> log;
  if (r.value("record", false)) {
    ProtokollCanvas aufzeichnung(log, &flaeche.canvas());
    neuzeichnen(aufzeichnung);
  } else {
    neuzeichnen(flaeche.canvas());
  }
  json antwort{{"lines", zeilen(ergebnisliste)},
               {"labels",
                {{"Label10", utf8(steuer.Label10)}, {"Label11", utf8(steuer.Label11)},
                 {"Label13", utf8(steuer.Label13)}, {"Label15", utf8(steuer.Label15)}}}};
  if (r.value("record", false)) antwort["ops"] = log;
  if (r.contains("png")) {
    const std::string pfad = r["png"].get<std::string>();
    const QImage bild = flaeche.image();
    const QString fehler = dateischreiben(
        QString::fromStdString(pfad), [&](QIODevice& datei, QString&) { return bild.save(&datei, "PNG"); },
        pngvollstaendig);
    if (!fehler.isEmpty()) antwort["error"] = fehler.toStdString();
  }
  return antwort;
});

// The work of one pass against its budget: where a state stops, and how far
// an ordinary one stays below.
const bool passwork_op = probe_op("passwork", [](const json& r) {
  if (std::string fehler = zeichenzustand(r); !fehler.empty()) return json{{"error", fehler}};
  grafikstarten();
  QtBitmap flaeche(steuer.PaintBox1_width, steuer.PaintBox1_height);
  neuzeichnen(flaeche.canvas());
  const bool gestoppt = !ergebnisliste.empty() && ergebnisliste.back() == passabbruchzeile;
  return json{{"work", passarbeit()}, {"budget", passbudget}, {"stopped", gestoppt}, {"lines", ergebnisliste.size()}};
});

}  // namespace
