#include "probe.h"
#include "fktint.h"
#include "zahltext.h"

static const bool eval_op = probe_op("eval", [](const json& r) {
  P = json_zahl(r.value("P", json(0)));
  Q = json_zahl(r.value("Q", json(0)));
  const double v = fktwert(json_text(r["term"]), json_zahl(r["x"]));
  return json{{"value", zahl_json(v)}, {"status", fehlercode}};
});

static const bool zahltext_op = probe_op("zahltext", [](const json& r) {
  return json{{"text", utf8(zahltext(r.value("width", 1), r.value("decimals", 2), json_zahl(r["x"])))}};
});

static const bool editwert_op = probe_op("editwert", [](const json& r) {
  P = json_zahl(r.value("P", json(0)));
  Q = json_zahl(r.value("Q", json(0)));
  const double v = editwert(json_text(r["text"]));
  return json{{"value", zahl_json(v)}, {"status", fehlercode}};
});
