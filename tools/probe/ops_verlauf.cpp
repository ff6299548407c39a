// The history behind undo and redo: states recorded one after another, then
// steps back and forward.
#include "probe.h"
#include "steuertabelle.h"
#include "verlauf.h"

namespace {

// {"controls": {name: value}, "view": [xmin, xmax, ymin, ymax], "follow": bool}
// over the defaults and the standard view.
Stand standaus(const json& j, std::string& fehler) {
  Stand s{Steuerzustand{}, Sicht{-6, 6, -4.3156626506, 4.3156626506}};
  const json steuerung = j.value("controls", json::object());
  for (const auto& [name, wert] : steuerung.items()) {
    const Steuerelement* e = steuerelement(name);
    if (!e || !jsonwertsetzen(s.steuer, *e, wert)) fehler = "bad control: " + name;
  }
  const json v = j.value("view", json::array());
  if (v.is_array() && v.size() == 4)
    s.sicht = Sicht{json_zahl(v[0]), json_zahl(v[1]), json_zahl(v[2]), json_zahl(v[3])};
  return s;
}

// {"states": [state...], "moves": ["back" | "forward"...]} -> {"current": [the
// index of the recorded state shown after each move, or null], "steps": the
// number of steps that can be taken back at the end}. A following state
// ("follow": true) continues the step before it when that was one too.
const bool verlauf_op = probe_op("verlauf", [](const json& r) {
  Verlauf v;
  std::vector<Stand> staende;
  std::string fehler;
  for (const json& j : r.value("states", json::array())) {
    staende.push_back(standaus(j, fehler));
    v.merken(staende.back(), j.value("follow", false) ? Verlauf::Art::fortsetzbar : Verlauf::Art::einzeln);
  }
  if (!fehler.empty()) return json{{"error", fehler}};
  json gezeigt = json::array();
  for (const json& zug : r.value("moves", json::array())) {
    const Stand* s = zug == "back" ? v.zurueck() : v.vor();
    json index = nullptr;
    for (std::size_t i = staende.size(); s && i-- > 0;)
      if (gleichesteuerung(staende[i].steuer, s->steuer) && staende[i].sicht.xmin == s->sicht.xmin &&
          staende[i].sicht.xmax == s->sicht.xmax) {
        index = i;
        break;
      }
    gezeigt.push_back(index);
  }
  std::size_t zurueck = 0;
  while (v.zurueck()) ++zurueck;
  return json{{"current", gezeigt}, {"steps", zurueck}};
});

}  // namespace
