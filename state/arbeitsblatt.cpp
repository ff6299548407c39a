#include "arbeitsblatt.h"

#include <charconv>
#include <cmath>

#include <nlohmann/json.hpp>

#include "steuertabelle.h"
#include "textkodierung.h"

namespace {

using json = nlohmann::json;

// A worksheet is three levels deep; anything much deeper is not one.
constexpr int tiefengrenze = 8;

const char* const sichtschluessel[] = {"xmin", "xmax", "ymin", "ymax"};

bool spanne(double a, double b) { return std::isfinite(a) && std::isfinite(b) && a < b && std::isfinite(b - a); }

// What a value of each kind of control must be, in the message's words.
const char* erwartet(Steuerart a) {
  switch (a) {
    case Steuerart::text: return "текстом в кавычках";
    case Steuerart::schalter: return "логическим значением (true или false)";
    case Steuerart::zahl: return "целым числом";
  }
  return "";
}

// The message texts share their start: the file, in guillemets.
struct Meldung {
  std::string datei;
  std::string operator()(const std::string& rest) const { return "Файл «" + datei + "» " + rest; }
  std::string schluessel(std::string_view name, const std::string& rest) const {
    return (*this)("не открыт: значение ключа «" + std::string(name) + "» должно быть " + rest + ".");
  }
};

std::string kodierungpruefen(std::string_view text, const Meldung& m) {
  if (text.size() > blatthoechstgroesse)
    return m("не открыт: он больше 1 МиБ, а набор функций гораздо меньше.");
  if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF"))
    return m("не открыт: он записан в кодировке UTF-16, а набор функций хранится в UTF-8.");
  if (const std::size_t bruch = utf8bruch(text); bruch != std::string_view::npos)
    return m("не открыт: байт " + std::to_string(bruch) + " не относится к тексту в кодировке UTF-8.");
  return {};
}

std::string dokumentlesen(std::string_view text, const Meldung& m, json& dokument) {
  bool zutief = false;
  const json::parser_callback_t tiefe = [&zutief](int t, json::parse_event_t, json&) {
    zutief = zutief || t > tiefengrenze;
    return !zutief;
  };
  try {
    dokument = json::parse(text.begin(), text.end(), tiefe);
  } catch (const json::parse_error& e) {
    return m("не открыт: это не текст JSON (ошибка у байта " + std::to_string(e.byte) + ").");
  } catch (const json::exception&) {
    // The one other failure of the parser: a number beyond the doubles.
    return m("не открыт: в нём есть число, большее любого представимого.");
  }
  if (zutief) return m("не открыт: вложенность глубже " + std::to_string(tiefengrenze) + " уровней.");
  if (!dokument.is_object() || dokument.value("format", json()) != blattformat)
    return m("не является набором функций: нет ключа «format» со значением «" + std::string(blattformat) + "».");
  return {};
}

std::string versionpruefen(const json& dokument, const Meldung& m) {
  const json v = dokument.value("version", json());
  const std::string text = v.is_string() ? v.get<std::string>() : std::string();
  int haupt = -1;
  const auto [ende, fehler] = std::from_chars(text.data(), text.data() + text.size(), haupt);
  if (fehler != std::errc() || ende == text.data() || (ende != text.data() + text.size() && *ende != '.'))
    return m.schluessel("version", "текстом вида «" + std::string(blattversion) + "»");
  if (haupt > blatthauptversion)
    return m("записан более новой версией программы (формат " + text + "); эта версия читает формат " +
             std::string(blattversion) + ".");
  if (haupt < blatthauptversion) return m("не открыт: формат " + text + " неизвестен.");
  return {};
}

// Every control from its default, then from the file.
std::string steuerunglesen(const json& dokument, const Meldung& m, Steuerzustand& z) {
  const Steuerzustand grund;
  for (const Steuerelement& e : steuerelemente())
    std::visit([&](auto feld) { z.*feld = grund.*feld; }, e.feld);
  if (!dokument.contains("controls")) return {};
  const json& steuerung = dokument["controls"];
  if (!steuerung.is_object()) return m.schluessel("controls", "объектом");
  for (const Steuerelement& e : steuerelemente()) {
    const auto it = steuerung.find(e.name);
    if (it == steuerung.end()) continue;
    if (it->is_string() && art(e) == Steuerart::text)
      if (const std::size_t i = steuerzeichen(utf16(it->get_ref<const std::string&>())); i != std::string::npos)
        return m("не открыт: в значении ключа «" + std::string(e.name) + "» управляющий символ (знак " +
                 std::to_string(i + 1) + "); текст поля — одна строка без таких символов.");
    if (!jsonwertsetzen(z, e, *it)) return m.schluessel(e.name, erwartet(art(e)));
  }
  radioeindeutig(z);
  breiteabgleichen(z);
  // Check box and memo stay in step; the memo's visibility decides.
  if (!steuerung.contains("Mergebnis_visible")) z.Mergebnis_visible = z.c_ergebnisliste;
  z.c_ergebnisliste = z.Mergebnis_visible;
  return {};
}

std::string sichtlesen(const json& dokument, const Meldung& m, std::optional<Sicht>& sicht) {
  sicht.reset();
  if (!dokument.contains("view")) return {};
  const json& v = dokument["view"];
  if (!v.is_object()) return m.schluessel("view", "объектом");
  double werte[4];
  for (int i = 0; i < 4; ++i) {
    const auto it = v.find(sichtschluessel[i]);
    if (it == v.end()) return {};
    if (!it->is_number()) return m.schluessel("view." + std::string(sichtschluessel[i]), "числом");
    werte[i] = it->get<double>();
  }
  const Sicht s{werte[0], werte[1], werte[2], werte[3]};
  if (brauchbar(s)) sicht = s;
  return {};
}

}  // namespace

bool brauchbar(const Sicht& s) { return spanne(s.xmin, s.xmax) && spanne(s.ymin, s.ymax); }

std::string blattschreiben(const Steuerzustand& z, const Sicht& sicht) {
  nlohmann::ordered_json steuerung = nlohmann::ordered_json::object();
  for (const Steuerelement& e : steuerelemente()) {
    const std::string name(e.name);
    std::visit([&](auto feld) {
      if constexpr (std::is_same_v<decltype(feld), Textfeld>) steuerung[name] = utf8(z.*feld);
      else steuerung[name] = z.*feld;
    }, e.feld);
  }
  nlohmann::ordered_json blatt = {{"format", blattformat}, {"version", blattversion}, {"controls", steuerung}};
  if (brauchbar(sicht))
    blatt["view"] = {{"xmin", sicht.xmin}, {"xmax", sicht.xmax}, {"ymin", sicht.ymin}, {"ymax", sicht.ymax}};
  return blatt.dump(2) + "\n";
}

std::string blattlesen(std::string_view text, std::string_view dateiname, Steuerzustand& ziel,
                       std::optional<Sicht>& sicht) {
  const Meldung m{std::string(dateiname)};
  json dokument;
  Steuerzustand neu = ziel;
  std::optional<Sicht> neuesicht;
  // Each step runs only when the ones before it accepted the file.
  std::string fehler = kodierungpruefen(text, m);
  if (fehler.empty()) fehler = dokumentlesen(text, m, dokument);
  if (fehler.empty()) fehler = versionpruefen(dokument, m);
  if (fehler.empty()) fehler = steuerunglesen(dokument, m, neu);
  if (fehler.empty()) fehler = sichtlesen(dokument, m, neuesicht);
  if (!fehler.empty()) return fehler;
  ziel = std::move(neu);
  sicht = neuesicht;
  return {};
}
