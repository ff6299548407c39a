// The worksheet file: every control survives a round trip, hostile files are
// refused with a message that names the file and the key and change nothing,
// and what the reader forgives (unknown keys, missing keys, odd views) reads as
// the defaults.
#include <gtest/gtest.h>

#include <string>

#include "arbeitsblatt.h"
#include "steuertabelle.h"
#include "textkodierung.h"

namespace {

const Sicht standard{-6, 6, -4.3, 4.3};

// The document of a state, so that two states compare as a whole.
std::string alsblatt(const Steuerzustand& z) { return blattschreiben(z, standard); }

std::string kopf(const std::string& rest = "") {
  return R"({"format": "funktionsplotter-blatt", "version": "1.0")" + rest + "}";
}

// Every control of the table away from its default.
Steuerzustand allesanders() {
  Steuerzustand z;
  for (const Steuerelement& e : steuerelemente()) {
    std::visit([&](auto feld) {
      using T = decltype(feld);
      if constexpr (std::is_same_v<T, Textfeld>) z.*feld += u" \"Ж\\𝑥" + utf16(e.name);
      else if constexpr (std::is_same_v<T, Schalter>) z.*feld = !(z.*feld);
      else z.*feld = 4;
    }, e.feld);
  }
  z.ed_breite = u"4";  // the field shows the spinner's position
  z.rb_parameter = false, z.rb_punkta = false, z.rb_punktB = true;
  z.c_ergebnisliste = z.Mergebnis_visible = true;
  return z;
}

TEST(Arbeitsblatt, EveryControlAndTheViewSurviveARoundTrip) {
  const Steuerzustand vorher = allesanders();
  const Sicht sicht{-0.1, 1.0 / 3, -2e-7, 1e300};
  const std::string text = blattschreiben(vorher, sicht);

  Steuerzustand nachher;
  nachher.Label11 = u"bleibt";
  std::optional<Sicht> gelesen;
  ASSERT_EQ(blattlesen(text, "a.fpblatt", nachher, gelesen), "");
  for (const Steuerelement& e : steuerelemente())
    std::visit([&](auto feld) { EXPECT_TRUE(nachher.*feld == vorher.*feld) << e.name; }, e.feld);
  EXPECT_EQ(nachher.Label11, u"bleibt");  // outputs are not the file's
  ASSERT_TRUE(gelesen);
  EXPECT_EQ(gelesen->xmin, sicht.xmin);
  EXPECT_EQ(gelesen->xmax, sicht.xmax);
  EXPECT_EQ(gelesen->ymin, sicht.ymin);
  EXPECT_EQ(gelesen->ymax, sicht.ymax);
  EXPECT_EQ(blattschreiben(nachher, *gelesen), text);
}

TEST(Arbeitsblatt, HostileFilesAreRefusedAndChangeNothing) {
  const std::string gut = blattschreiben(Steuerzustand{}, standard);
  const std::string tief = std::string(5000, '[') + std::string(5000, ']');
  struct Fall {
    const char* wie;
    std::string text;
    const char* meldung;
  };
  const Fall faelle[] = {
      {"truncated", gut.substr(0, gut.size() / 2), "не текст JSON"},
      {"empty", "", "не текст JSON"},
      {"plain text", "Функция Y = X", "не текст JSON"},
      {"binary", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "байт 0 не относится к тексту в кодировке UTF-8"},
      {"Latin-1", kopf(R"(, "controls": {"ed_f1": "X)" "\xE9" R"("})"), "байт 79 не относится"},
      {"UTF-16 with BOM", std::string("\xFF\xFE{\0}\0", 6), "UTF-16"},
      {"huge", gut + std::string(blatthoechstgroesse, ' '), "больше 1 МиБ"},
      {"deep nesting", tief, "вложенность глубже"},
      {"deep value", kopf(R"(, "controls": {"ed_f1": )" + tief + "}"), "вложенность глубже"},
      {"array", "[1, 2]", "нет ключа «format»"},
      {"other format", R"({"format": "bild", "version": "1.0"})", "нет ключа «format»"},
      {"newer major version", R"({"format": "funktionsplotter-blatt", "version": "2.0"})", "более новой версией"},
      {"version as number", R"({"format": "funktionsplotter-blatt", "version": 1})", "ключа «version»"},
      {"text as number", kopf(R"(, "controls": {"ed_f2": 5})"), "ключа «ed_f2» должно быть текстом"},
      {"switch as text", kopf(R"(, "controls": {"c_f1": "true"})"), "ключа «c_f1» должно быть логическим"},
      {"switch as null", kopf(R"(, "controls": {"m_raster": null})"), "ключа «m_raster» должно быть логическим"},
      {"fractional pen width", kopf(R"(, "controls": {"UpDown1": 2.5})"), "ключа «UpDown1» должно быть целым"},
      {"controls as list", kopf(R"(, "controls": [])"), "ключа «controls» должно быть объектом"},
      {"view as list", kopf(R"(, "view": [-1, 1, -1, 1])"), "ключа «view» должно быть объектом"},
      {"number beyond the doubles", kopf(R"(, "view": {"xmin": -1, "xmax": 1e400})"), "число, большее любого"},
      {"view bound as text", kopf(R"(, "view": {"xmin": "-1"})"), "ключа «view.xmin» должно быть числом"},
      // A field's text is one line; a line break would forge lines of every listing.
      {"line break in a term", kopf(R"(, "controls": {"ed_f1": "X\nФункция Y = 1"})"), "«ed_f1» управляющий символ (знак 2)"},
      {"tab in the parameter", kopf(R"(, "controls": {"ed_parameter": "1\t"})"), "«ed_parameter» управляющий символ"},
      {"C1 control", kopf(R"(, "controls": {"ed_f3": "X\u0085"})"), "«ed_f3» управляющий символ"},
      {"line separator", kopf(R"(, "controls": {"ed_A": "\u2028"})"), "«ed_A» управляющий символ (знак 1)"},
  };
  const Steuerzustand vorher = allesanders();
  for (const Fall& f : faelle) {
    Steuerzustand z = vorher;
    std::optional<Sicht> sicht = standard;
    const std::string fehler = blattlesen(f.text, "/tmp/unterricht.fpblatt", z, sicht);
    EXPECT_NE(fehler.find("Файл «/tmp/unterricht.fpblatt»"), std::string::npos) << f.wie << ": " << fehler;
    EXPECT_NE(fehler.find(f.meldung), std::string::npos) << f.wie << ": " << fehler;
    EXPECT_EQ(utf8bruch(fehler), std::string::npos) << f.wie;
    EXPECT_EQ(alsblatt(z), alsblatt(vorher)) << f.wie;
    EXPECT_TRUE(sicht && sicht->xmin == standard.xmin && sicht->ymax == standard.ymax) << f.wie;
  }
}

TEST(Arbeitsblatt, WhatTheReaderForgives) {
  Steuerzustand grund;
  struct Fall {
    const char* wie;
    std::string text;
    void (*erwartet)(Steuerzustand&);
  };
  const Fall faelle[] = {
      {"only the head gives the defaults", kopf(), [](Steuerzustand&) {}},
      {"UTF-8 byte order mark", "\xEF\xBB\xBF" + kopf(), [](Steuerzustand&) {}},
      {"unknown keys, a newer minor version",
       R"({"format": "funktionsplotter-blatt", "version": "1.7", "farbe": 3, "controls": {"ed_f9": 1, "c_f2": true}})",
       [](Steuerzustand& z) { z.c_f2 = true; }},
      {"pen width clamped and shown",
       kopf(R"(, "controls": {"UpDown1": 99})"), [](Steuerzustand& z) { z.UpDown1 = 6, z.ed_breite = u"6"; }},
      // The pen width's field and spinner agree after reading: a number in
      // the field wins (clamped), anything else shows the spinner's position.
      {"field and spinner disagree: the field's number wins",
       kopf(R"(, "controls": {"UpDown1": 2, "ed_breite": "5"})"), [](Steuerzustand& z) { z.UpDown1 = 5, z.ed_breite = u"5"; }},
      {"field beyond the range",
       kopf(R"(, "controls": {"UpDown1": 2, "ed_breite": " 9 "})"), [](Steuerzustand& z) { z.UpDown1 = 6, z.ed_breite = u"6"; }},
      {"field without a number",
       kopf(R"(, "controls": {"UpDown1": 3, "ed_breite": "4,5"})"), [](Steuerzustand& z) { z.UpDown1 = 3, z.ed_breite = u"3"; }},
      {"two radio buttons: the first counts",
       kopf(R"(, "controls": {"rb_punktB": true, "rb_punkta": true})"),
       [](Steuerzustand& z) { z.rb_punkta = true, z.rb_parameter = false; }},
      {"no radio button: the parameter",
       kopf(R"(, "controls": {"rb_parameter": false})"), [](Steuerzustand&) {}},
      {"the check box alone shows the memo",
       kopf(R"(, "controls": {"c_ergebnisliste": true})"),
       [](Steuerzustand& z) { z.c_ergebnisliste = z.Mergebnis_visible = true; }},
      {"the memo's visibility decides",
       kopf(R"(, "controls": {"c_ergebnisliste": true, "Mergebnis_visible": false})"), [](Steuerzustand&) {}},
  };
  for (const Fall& f : faelle) {
    Steuerzustand z = allesanders(), erwartet;
    f.erwartet(erwartet);
    std::optional<Sicht> sicht = standard;
    EXPECT_EQ(blattlesen(f.text, "b", z, sicht), "") << f.wie;
    EXPECT_EQ(alsblatt(z), alsblatt(erwartet)) << f.wie;
    EXPECT_FALSE(sicht) << f.wie;
  }
}

TEST(Arbeitsblatt, ViewsThatDoublesCannotHoldGiveTheStandardView) {
  const char* const sichten[] = {
      R"({"xmin": 1, "xmax": 1, "ymin": -1, "ymax": 1})",
      R"({"xmin": 2, "xmax": -2, "ymin": -1, "ymax": 1})",
      R"({"xmin": -1, "xmax": 1, "ymin": 0, "ymax": -0})",
      R"({"xmin": -1e308, "xmax": 1e308, "ymin": -1, "ymax": 1})",
      R"({"xmin": -1, "xmax": 1, "ymin": -1})",
  };
  for (const char* v : sichten) {
    Steuerzustand z;
    std::optional<Sicht> sicht = standard;
    EXPECT_EQ(blattlesen(kopf(std::string(R"(, "view": )") + v), "c", z, sicht), "") << v;
    EXPECT_FALSE(sicht) << v;
  }
  // A view that cannot be read back is not written.
  EXPECT_EQ(blattschreiben(Steuerzustand{}, {0, 0, 0, 0}).find("\"view\""), std::string::npos);
}

TEST(Textkodierung, MalformedUtf8IsFoundAndReplaced) {
  struct Fall {
    std::string text;
    std::size_t bruch;
    std::u16string utf16;
  };
  const Fall faelle[] = {
      {"X\xD0\x96", std::string::npos, u"XЖ"},
      {"\xF0\x9D\x91\xA5", std::string::npos, u"𝑥"},
      {"a\xC0\xAF", 1, u"a\uFFFD\uFFFD"},        // overlong
      {"\xED\xA0\x80", 0, u"\uFFFD\uFFFD\uFFFD"}, // a surrogate
      {"ab\xE2\x82", 2, u"ab\uFFFD\uFFFD"},       // cut off
      {"\xF4\x90\x80\x80", 0, u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
  };
  for (const Fall& f : faelle) {
    EXPECT_EQ(utf8bruch(f.text), f.bruch) << f.text;
    EXPECT_TRUE(utf16(f.text) == f.utf16) << f.text;
  }
  EXPECT_EQ(utf8(u"a\xD800" u"b"), "a\xEF\xBF\xBD" "b");
}

}  // namespace
