
#include "flaechenwerte.h"
#include "geraden.h"
#include "integrierbarkeit.h"
#include "fktint.h"
#include "probe.h"
#include "steuerzustand.h"
#include "suche.h"
#include "uableitung.h"
#include "unstetigkeiten.h"
#include "untersuchung.h"
#include "zahltext.h"

namespace {

json zahlen(const double* liste, int zahl) {
  json xs = json::array();
  for (int i = 0; i < zahl; ++i) xs.push_back(zahl_json(liste[i]));
  return xs;
}

json zeilen(const std::vector<std::u16string>& liste) {
  json z = json::array();
  for (const auto& s : liste) z.push_back(utf8(s));
  return z;
}

// Field texts of a request over the start state; absent fields keep their defaults.
void suchfelder(const json& r) {
  steuer = Steuerzustand{};
  const std::pair<const char*, std::u16string Steuerzustand::*> felder[] = {
      {"ed_f1", &Steuerzustand::ed_f1}, {"ed_f2", &Steuerzustand::ed_f2},
      {"ed_von", &Steuerzustand::ed_von}, {"ed_bis", &Steuerzustand::ed_bis},
      {"ed_parameter", &Steuerzustand::ed_parameter}};
  for (const auto& [name, feld] : felder)
    if (r.contains(name)) steuer.*feld = json_text(r[name]);
}

const bool search_op = probe_op("search", [](const json& r) {
  suchfelder(r);
  const std::string art = r.value("kind", "");
  std::vector<std::u16string> kopf;
  json antwort;
  if (art == "zeros") {
    nullstellensuche();
    antwort["xs"] = zahlen(nullstellenliste, nullstellenzahl);
  } else if (art == "extrema") {
    extremasuche(r.contains("d1") ? json_text(r["d1"]) : std::u16string());
    antwort["xs"] = zahlen(extremaliste, extremazahl);
  } else if (art == "inflections") {
    // The curvature check needs the function: "term", else the ed_f1 of the request.
    const char* feld = r.contains("term") ? "term" : "ed_f1";
    const std::u16string term = r.contains(feld) ? json_text(r[feld]) : std::u16string();
    wendepunktsuche(r.contains("d2") ? json_text(r["d2"]) : std::u16string(), term);
    antwort["xs"] = zahlen(wendepunktliste, wendepunktzahl);
  } else if (art == "intersections") {
    schnittpunktsuche(kopf);
    antwort["xs"] = zahlen(schnittpunktliste, schnittpunktzahl);
    antwort["lines"] = zeilen(kopf);
  } else {
    return json{{"error", "kind: zeros, extrema, inflections or intersections"}};
  }
  antwort["P"] = zahl_json(P);
  return antwort;
});

// The curve discussion of ed_f1 on ed_von..ed_bis, with its derivative texts
// built as the plot pass builds them.
const bool discussion_op = probe_op("discussion", [](const json& r) {
  suchfelder(r);
  if (ersetzungsliste.empty()) ersetzungslisteladen();
  P = editwert(steuer.ed_parameter);
  const std::u16string d1 = ableitungsterm(steuer.ed_f1);
  const std::u16string d2 = ableitungsterm(d1);
  const double a = editwert(steuer.ed_von), b = editwert(steuer.ed_bis);
  return json{{"lines", zeilen(untersuchung(steuer.ed_f1, d1, d2, a, b, unstetigkeiten(steuer.ed_f1, a, b)))}};
});

const bool integral_op = probe_op("integral", [](const json& r) {
  steuer = Steuerzustand{};
  P = json_zahl(r.value("P", json(0)));
  const std::u16string f = r.contains("f") ? json_text(r["f"]) : std::u16string();
  const std::u16string g = r.contains("g") ? json_text(r["g"]) : std::u16string(u"0");
  const double a = editwert(r.contains("ed_A") ? json_text(r["ed_A"]) : steuer.ed_A);
  const double b = editwert(r.contains("ed_B") ? json_text(r["ed_B"]) : steuer.ed_B);
  std::vector<std::u16string> liste;
  integralwert = 0;
  flaechenwert = 0;
  flaechenwerte(f, g, a, b, liste);
  return json{{"I", zahl_json(integralwert)}, {"F", zahl_json(flaechenwert)},
              {"Label13", utf8(steuer.Label13)}, {"Label15", utf8(steuer.Label15)},
              {"lines", zeilen(liste)}};
});

// The breaks of the curve of "term" on ["a", "b"] (P from "P", default 0):
// {"places": [{"kind", "x", "left", "right", "defined", "value", "swinging"}]}.
const bool breaks_op = probe_op("breaks", [](const json& r) {
  P = json_zahl(r.value("P", json(0)));
  static const char* const arten[] = {"pole", "jump", "hole", "domain_end"};
  json stellen = json::array();
  for (const Unstetigkeit& u : unstetigkeiten(json_text(r.value("term", json(""))), json_zahl(r.value("a", json(-6))),
                                              json_zahl(r.value("b", json(6)))))
    stellen.push_back({{"kind", arten[static_cast<int>(u.art)]}, {"x", zahl_json(u.x)}, {"left", zahl_json(u.links)},
                       {"right", zahl_json(u.rechts)}, {"defined", u.definiert},
                       {"value", zahl_json(u.wert)}, {"swinging", u.schwingend}});
  return json{{"places", stellen}};
});

// Whether the integral of "f" over [a, b] exists: the obstacles, left to right,
// and the points where the quadrature splits.
const bool integrability_op = probe_op("integrability", [](const json& r) {
  P = json_zahl(r.value("P", json(0)));
  const std::u16string f = r.contains("f") ? json_text(r["f"]) : std::u16string();
  const double a = json_zahl(r.value("a", json(0))), b = json_zahl(r.value("b", json(1)));
  if (!(a < b)) return json{{"error", "a < b expected"}};
  static const char* const arten[] = {"unbounded", "undefined", "beyond_limit", "unreadable", "untraceable"};
  const Integrierbarkeit e = integrierbarkeit(f, a, b);
  json hindernisse = json::array(), stellen = json::array();
  for (const Hindernis& h : e.hindernisse)
    hindernisse.push_back({{"kind", arten[static_cast<int>(h.art)]}, {"from", zahl_json(h.von)}, {"to", zahl_json(h.bis)}});
  for (const Teilstelle& t : e.stellen) stellen.push_back({{"x", zahl_json(t.x)}, {"singular", t.singulaer}});
  return json{{"exists", e.existiert()}, {"obstacles", hindernisse}, {"splits", stellen}};
});

// Tangent and normal of "f" at "A" and the secant to "B" as the lines show them;
// "d1" is the derivative text (none: the difference quotient).
const bool lines_op = probe_op("lines", [](const json& r) {
  P = json_zahl(r.value("P", json(0)));
  const std::u16string f = r.contains("f") ? json_text(r["f"]) : std::u16string();
  const std::u16string d1 = r.contains("d1") ? json_text(r["d1"]) : std::u16string();
  const double a = json_zahl(r.value("A", json(1))), b = json_zahl(r.value("B", json(0)));
  const double ya = fktwert(f, a);
  if (fehlercode != wert_gueltig) return json{{"error", "f has no value at A"}};
  const double yb = fktwert(f, b);
  const bool bwert = fehlercode == wert_gueltig;
  const auto gleichung = [](const std::optional<Gerade>& g) { return g ? json(utf8(g->gleichung())) : json(nullptr); };
  json antwort{{"tangent", gleichung(tangente(f, d1, a, ya, 3, 3))}, {"normal", gleichung(normale(f, d1, a, ya))}};
  antwort["secant"] = bwert && a != b ? json(utf8(sekantengerade(a, ya, b, yb).gleichung())) : json(nullptr);
  return antwort;
});

}  // namespace
