// Developer probe: JSON Lines in, one JSON line out per request. Each layer adds
// its operations in a file ops_<layer>.cpp through `probe_op`.
#pragma once

#include <functional>
#include <string>

#include <nlohmann/json.hpp>

#include "textkodierung.h"

using json = nlohmann::json;
using ProbeOp = std::function<json(const json&)>;

// Registers an operation under its "op" name; use as a static initialiser.
bool probe_op(const char* name, ProbeOp op);

// Doubles in and out: non-finite values travel as "nan", "inf", "-inf".
json zahl_json(double v);
double json_zahl(const json& j, double fallback = 0.0);

// 16-bit texts in and out (JSON strings are UTF-8).
std::u16string json_text(const json& j);
