#include "probe.h"
#include "uableitung.h"

static const bool raw_op = probe_op("raw", [](const json& r) {
  return json{{"text", utf8(ableitung(json_text(r["term"])))}};
});

static const bool simp_op = probe_op("simp", [](const json& r) {
  return json{{"text", utf8(vereinfachen(json_text(r["text"])))}};
});

static const bool deriv_op = probe_op("deriv", [](const json& r) {
  if (ersetzungsliste.empty()) ersetzungslisteladen();
  return json{{"text", utf8(ableitungsterm(json_text(r["term"])))}};
});
