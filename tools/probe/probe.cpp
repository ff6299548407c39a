#include "probe.h"

#include <cmath>
#include <iostream>
#include <limits>
#include <map>

static std::map<std::string, ProbeOp>& ops() {
  static std::map<std::string, ProbeOp> table;
  return table;
}

bool probe_op(const char* name, ProbeOp op) {
  ops()[name] = std::move(op);
  return true;
}

json zahl_json(double v) {
  if (std::isnan(v)) return "nan";
  if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
  return v;
}

double json_zahl(const json& j, double fallback) {
  if (j.is_number()) return j.get<double>();
  if (j.is_string()) {
    const auto s = j.get<std::string>();
    if (s == "nan") return std::numeric_limits<double>::quiet_NaN();
    if (s == "inf") return std::numeric_limits<double>::infinity();
    if (s == "-inf") return -std::numeric_limits<double>::infinity();
  }
  return fallback;
}

std::u16string json_text(const json& j) { return j.is_string() ? utf16(j.get<std::string>()) : u""; }

int main() {
  std::string line;
  while (std::getline(std::cin, line)) {
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    json answer;
    try {
      const json request = json::parse(line);
      const std::string op = request.value("op", "");
      auto it = ops().find(op);
      answer = it == ops().end() ? json{{"error", "unknown op: " + op}} : it->second(request);
    } catch (const std::exception& e) {
      answer = json{{"error", e.what()}};
    }
    std::cout << answer.dump(-1, ' ', false, json::error_handler_t::replace) << '\n' << std::flush;
  }
}
