#include "ops_plot.h"

#include <algorithm>
#include <map>

#include "abbildung.h"
#include "fktint.h"
#include "plotpass.h"
#include "protokoll.h"
#include "grafikstart.h"
#include "qtcanvas.h"
#include "steuerzustand.h"
#include "zahltext.h"
#include "uableitung.h"

using namespace abbildung;

namespace {

using Text = std::u16string Steuerzustand::*;
using Schalter = bool Steuerzustand::*;

const std::map<std::string, Text> textfelder = {
    {"ed_f1", &Steuerzustand::ed_f1}, {"ed_f2", &Steuerzustand::ed_f2},
    {"ed_f3", &Steuerzustand::ed_f3}, {"ed_f4", &Steuerzustand::ed_f4},
    {"ed_xvon", &Steuerzustand::ed_xvon}, {"ed_xbis", &Steuerzustand::ed_xbis},
    {"ed_parameter", &Steuerzustand::ed_parameter}, {"ed_q", &Steuerzustand::ed_q},
    {"ed_schardiff", &Steuerzustand::ed_schardiff}, {"ed_A", &Steuerzustand::ed_A},
    {"ed_B", &Steuerzustand::ed_B}, {"ed_von", &Steuerzustand::ed_von},
    {"ed_bis", &Steuerzustand::ed_bis}, {"ed_delta", &Steuerzustand::ed_delta},
    {"ed_breite", &Steuerzustand::ed_breite},
};

#define SCHALTER(n) {#n, &Steuerzustand::n}
const std::map<std::string, Schalter> schalter = {
    SCHALTER(c_f1), SCHALTER(c_f2), SCHALTER(c_f3), SCHALTER(c_f4),
    SCHALTER(c_1ableitung), SCHALTER(c_2ableitung), SCHALTER(c_nullstellen), SCHALTER(c_extrema),
    SCHALTER(c_wendepunkte), SCHALTER(c_schnittpunkte), SCHALTER(c_wendetangente),
    SCHALTER(c_pktanzeige), SCHALTER(c_stammfunktion), SCHALTER(c_schar), SCHALTER(c_punktA),
    SCHALTER(c_punktB), SCHALTER(c_tangente), SCHALTER(c_normale), SCHALTER(c_sekante),
    SCHALTER(c_integral), SCHALTER(c_wertetabelle), SCHALTER(c_ergebnisliste),
    SCHALTER(rb_parameter), SCHALTER(rb_punkta), SCHALTER(rb_punktB),
    SCHALTER(MAchsen1), SCHALTER(MAchsen21), SCHALTER(M_rahmen), SCHALTER(M_winkel),
    SCHALTER(M_bogen), SCHALTER(m_raster), SCHALTER(m_mmraster), SCHALTER(m_terme),
    SCHALTER(m_farbe), SCHALTER(spiegelungxachse), SCHALTER(spiegelungyachse),
    SCHALTER(spiegelungursprung), SCHALTER(nacheinanderausfuehrung),
    SCHALTER(verschiebungxachse), SCHALTER(streckungxachse), SCHALTER(verschiebungyachse),
    SCHALTER(streckungyachse), SCHALTER(funktionsaddition), SCHALTER(funktionssubtraktion1),
    SCHALTER(funktionsmultiplikation), SCHALTER(funktionsdivision1),
    SCHALTER(Umkehrkurvezuf1x1), SCHALTER(Mergebnis_visible),
};
#undef SCHALTER

std::string zustandsfeld(const std::string& name, const json& wert) {
  if (auto t = textfelder.find(name); t != textfelder.end()) {
    if (!wert.is_string()) return name + ": text expected";
    steuer.*(t->second) = json_text(wert);
  } else if (auto s = schalter.find(name); s != schalter.end()) {
    if (!wert.is_boolean()) return name + ": boolean expected";
    steuer.*(s->second) = wert.get<bool>();
  } else if (name == "UpDown1") {
    if (!wert.is_number_integer()) return name + ": integer expected";
    steuer.UpDown1 = std::clamp(wert.get<int>(), 1, 6);
    steuer.ed_breite = utf16(std::to_string(steuer.UpDown1));
  } else {
    return "unknown control state: " + name;
  }
  return {};
}

// b_zeichnenClick without its repaint.
void funktionslistefuellen() {
  const std::pair<const std::u16string*, bool> felder[] = {
      {&steuer.ed_f1, steuer.c_f1}, {&steuer.ed_f2, steuer.c_f2},
      {&steuer.ed_f3, steuer.c_f3}, {&steuer.ed_f4, steuer.c_f4}};
  listeloeschen();
  for (const auto& [text, an] : felder)
    if (!text->empty() && an) termanhaengen(*text);
  if (!steuer.ed_parameter.empty()) P = editwert(steuer.ed_parameter);
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
    if (!flaeche.image().save(QString::fromStdString(pfad), "PNG")) antwort["error"] = "cannot write " + pfad;
  }
  return antwort;
});

}  // namespace
