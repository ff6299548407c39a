#include <climits>

#include "probe.h"
#include "fktint.h"
#include "schulschreibweise.h"
#include "zahltext.h"

static const bool eval_op = probe_op("eval", [](const json& r) {
  P = json_zahl(r.value("P", json(0)));
  Q = json_zahl(r.value("Q", json(0)));
  const double v = fktwert(json_text(r["term"]), json_zahl(r["x"]));
  return json{{"value", zahl_json(v)}, {"status", fehlercode}};
});

// Widest field the op pads to: the longest fixed-point text of a double (309
// digits, a sign, a comma and 30 decimals) is shorter, so wider fields only
// add blanks; a width of 2*10^9 would ask for gigabytes of them.
constexpr double hoechstbreite = 1000;

static const bool zahltext_op = probe_op("zahltext", [](const json& r) {
  const json breite = r.value("width", json(1));
  if (!breite.is_number() || !(breite.get<double>() <= hoechstbreite) || breite.get<double>() < INT_MIN)
    return json{{"error", "width: a whole number up to 1000"}};
  return json{{"text", utf8(zahltext(breite.get<int>(), r.value("decimals", 2), json_zahl(r["x"])))}};
});

static const bool editwert_op = probe_op("editwert", [](const json& r) {
  P = json_zahl(r.value("P", json(0)));
  Q = json_zahl(r.value("Q", json(0)));
  const double v = editwert(json_text(r["text"]));
  return json{{"value", zahl_json(v)}, {"status", fehlercode}};
});

// The reading check and the rewrite of school notation, as a field takes a term.
static const bool lesen_op = probe_op("read_term", [](const json& r) {
  const Uebernahme u = termuebernehmen(u"f1", json_text(r["term"]));
  const Lesebefund b = lesepruefung(u.term);
  return json{{"term", utf8(u.term)},
              {"reads", u.lesbar},
              {"position", b.gelesen() ? json(nullptr) : json(b.stelle)},
              {"reason", static_cast<int>(b.fehler)},
              {"rewritten", utf8(u.hinweis)},
              {"message", utf8(u.meldung)}};
});
