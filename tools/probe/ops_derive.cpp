#include "probe.h"
#include "uableitung.h"

static const bool raw_op = probe_op("raw", [](const json& r) {
  const std::string text = utf8(ableitung(json_text(r["term"])));
  return json{{"text", text}, {"declined", ableitungabgelehnt}, {"work", ableitungsarbeit}};
});

static const bool simp_op = probe_op("simp", [](const json& r) {
  return json{{"text", utf8(vereinfachen(json_text(r["text"])))}};
});

static const bool deriv_op = probe_op("deriv", [](const json& r) {
  if (ersetzungsliste.empty()) ersetzungslisteladen();
  const std::string text = utf8(ableitungsterm(json_text(r["term"])));
  return json{{"text", text}, {"declined", ableitungabgelehnt}};
});

// Signs that the evaluator gives to the base of a power, in a text without blanks:
// positions of the sign, of the "^" after its base and of the end of the power.
static const bool signs_op = probe_op("signs", [](const json& r) {
  json treffer = json::array();
  for (const vorzeichenbasis& v : vorzeichenvorpotenz(json_text(r["text"])))
    treffer.push_back(json{{"sign", v.zeichen}, {"base_end", v.basisende}, {"power_end", v.potenzende}});
  return json{{"signs", treffer}};
});
