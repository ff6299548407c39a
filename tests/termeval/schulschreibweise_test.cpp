// School notation into the term language, and the reasons a text does not read,
// as rows of (typed, expected).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "fktint.h"
#include "funktionstabelle.h"
#include "lesepruefung.h"
#include "schulschreibweise.h"
#include "termhilfe.h"

namespace {

std::string utf8(std::u16string_view t) {
  std::string s;
  for (char32_t c : t) {
    if (c < 0x80) s += static_cast<char>(c);
    else if (c < 0x800) s += {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
    else s += {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
  }
  return s;
}

struct Umschrift {
  std::u16string_view getippt, term;
};

// Every row's result reads completely; the rows of a text that already reads and
// that both readers read stay as they are.
const Umschrift umschriften[] = {
    // implicit products
    {u"X^3-3X", u"X^3-3*X"},
    {u"2X", u"2*X"},
    {u"2(X+1)", u"2*(X+1)"},
    {u"(X+1)(X-1)", u"(X+1)*(X-1)"},
    {u"X(X-1)", u"X*(X-1)"},
    {u"2PI", u"2*PI"},
    {u"PIX", u"PI*X"},
    {u"3SIN(X)", u"3*SIN(X)"},
    {u"SIN(2X)+COS(X)", u"SIN(2*X)+COS(X)"},
    // superscripts and symbols
    {u"X²", u"X^2"},
    {u"X³-3X", u"X^3-3*X"},
    {u"X⁻¹", u"X^(-1)"},
    {u"2·X", u"2*X"},
    {u"3×X÷2", u"3*X/2"},
    {u"√X", u"SQRT(X)"},
    {u"√(X+1)", u"SQRT(X+1)"},
    {u"2Π", u"2*PI"},
    // e standing alone
    {u"X*E^(-X)", u"X*\u00C9^(-X)"},
    {u"2E", u"2*\u00C9"},
    {u"1E5", u"1E5"},  // maybe a power of ten: left for the check to name
    // Russian school names
    {u"TG X", u"TAN(X)"},
    {u"CTG X", u"COT(X)"},
    {u"ARCTG X", u"ARCTAN(X)"},
    {u"ARCCTG(X)", u"ARCCOT(X)"},
    {u"SH X", u"SINH(X)"},
    {u"CH(X)", u"COSH(X)"},
    {u"TH X", u"TANH(X)"},
    // a function's argument without brackets, up to the next explicit operator
    {u"SIN X", u"SIN(X)"},
    {u"SINX", u"SIN(X)"},
    {u"SIN2X", u"SIN(2*X)"},
    {u"SIN 2X+1", u"SIN(2*X)+1"},
    {u"COS X^2", u"COS(X^2)"},
    {u"LN X/X", u"LN(X)/X"},
    {u"SIN X COS X", u"SIN(X)*COS(X)"},
    {u"SIN^2 X", u"SIN(X)^2"},
    {u"SIN -X", u"SIN(-X)"},
    {u"2SQRT X+1", u"2*SQRT(X)+1"},
    {u"1 000X", u"1000*X"},
    {u"-|-X^-56 4|", u"-ABS(-X^(-564))"},
    // Cyrillic look-alikes
    {u"Х^2", u"X^2"},
    {u"х^2+Р", u"X^2+P"},
    {u"СОS(Х)", u"COS(X)"},
    // what the derivative builder does not read
    {u"|X-1|", u"ABS(X-1)"},
    {u"2|X|+|X-1|", u"2*ABS(X)+ABS(X-1)"},
    {u"X^-1", u"X^(-1)"},
    {u"2^-X", u"2^(-X)"},
    {u"2^-(X+1)*3", u"2^(-(X+1))*3"},
    {u"||X|-1|", u"ABS(ABS(X)-1)"},
    // brackets the evaluator closes at the end anyway
    {u"SIN(X", u"SIN(X)"},
    {u"(X+1", u"(X+1)"},
    // texts that read stay as they are
    {u"X*SIN(X+P)", u"X*SIN(X+P)"},
    {u"-X^2", u"-X^2"},
    {u"2^3^2", u"2^3^2"},
    {u"1,5*X", u"1,5*X"},
    {u"(X+1]", u"(X+1]"},
    {u"[X]", u"[X]"},
    {u"S(X)", u"S(X)"},
    {u"E(X)", u"E(X)"},
    {u"2*-X^2", u"2*-X^2"},
    {u"X + 1", u"X + 1"},
};

TEST(Schulschreibweise, RewritesIntoTheTermLanguage) {
  for (const auto& [getippt, term] : umschriften) {
    const std::u16string r = schulschreibweise(getippt);
    EXPECT_EQ(utf8(r), utf8(term)) << utf8(getippt);
    EXPECT_EQ(lesepruefung(r).gelesen(), r != u"1E5") << utf8(r);
  }
}

// The rewrite means what the pupil meant: values against the written-out term.
TEST(Schulschreibweise, RewrittenTermsHaveTheMeantValues) {
  const std::pair<std::u16string_view, double (*)(double)> faelle[] = {
      {u"X^3-3X", [](double x) { return x * x * x - 3 * x; }},
      {u"SIN2X+COS X", [](double x) { return std::sin(2 * x) + std::cos(x); }},
      {u"X*E^(-X)", [](double x) { return x * std::exp(-x); }},
      {u"LN X/X", [](double x) { return std::log(x) / x; }},
      {u"2(X+1)(X-1)", [](double x) { return 2 * (x + 1) * (x - 1); }},
      {u"TG X", [](double x) { return std::tan(x); }},
  };
  for (const auto& [getippt, f] : faelle)
    for (double x : {0.5, 1.3, 2.2}) {
      const double v = fktwert(schulschreibweise(getippt), x);
      EXPECT_EQ(fehlercode, wert_gueltig) << utf8(getippt);
      EXPECT_NEAR(v, f(x), 1e-12) << utf8(getippt) << " at " << x;
    }
}

struct Fehlerfall {
  std::u16string_view text;
  std::size_t stelle;
  Lesefehler fehler;
};

// The check on texts as they stand, without the rewrite.
const Fehlerfall fehlerfaelle[] = {
    {u"X*SIN(X+P)", 0, Lesefehler::keiner},
    {u"(X+1)", 0, Lesefehler::keiner},
    {u"((X+1))", 0, Lesefehler::keiner},
    {u"|X-1|", 0, Lesefehler::keiner},
    {u"+X", 0, Lesefehler::keiner},
    {u"S(4)", 0, Lesefehler::keiner},
    {u"ABC", 0, Lesefehler::unbekannter_name},
    {u"X+FOO(X)", 2, Lesefehler::unbekannter_name},
    {u"SINX", 0, Lesefehler::unbekannter_name},
    {u"F1(X)", 0, Lesefehler::unbekannter_name},
    {u"X+K", 2, Lesefehler::unbekannter_name},
    {u"3X", 1, Lesefehler::operator_fehlt},
    {u"2X+1", 1, Lesefehler::operator_fehlt},
    {u"SIN(X)A", 6, Lesefehler::operator_fehlt},
    {u"X(X-1)", 1, Lesefehler::operator_fehlt},
    {u"(X+1", 4, Lesefehler::klammer_offen},
    {u"((X+1)", 5, Lesefehler::klammer_offen},
    {u"SIN(X", 5, Lesefehler::klammer_offen},
    {u"X)+1", 1, Lesefehler::klammer_zu_viel},
    {u"X)", 1, Lesefehler::klammer_zu_viel},
    {u"(X+1))", 5, Lesefehler::klammer_zu_viel},
    {u"X+", 1, Lesefehler::operand_fehlt},
    {u"2*+3", 2, Lesefehler::operand_fehlt},
    {u"2---3", 3, Lesefehler::operand_fehlt},
    {u"SIN", 3, Lesefehler::operand_fehlt},
    {u"", 0, Lesefehler::operand_fehlt},
    {u"X=2", 1, Lesefehler::zeichen_ohne_bedeutung},
    {u"X²", 1, Lesefehler::zeichen_ohne_bedeutung},
    {u"#", 0, Lesefehler::zeichen_ohne_bedeutung},
    {u"2 X", 2, Lesefehler::operator_fehlt},  // a place in the text as typed
    {u" 1 ,5+ ABC", 7, Lesefehler::unbekannter_name},
};

TEST(Lesepruefung, NamesPlaceAndReason) {
  for (const auto& [text, stelle, fehler] : fehlerfaelle) {
    const Lesebefund b = lesepruefung(text);
    EXPECT_EQ(b.fehler, fehler) << utf8(text);
    if (fehler != Lesefehler::keiner) {
      EXPECT_EQ(b.stelle, stelle) << utf8(text);
    }
  }
  std::u16string tief(5000, u'(');
  EXPECT_EQ(lesepruefung(tief + u"X").fehler, Lesefehler::zu_tief);
}

// Texts nested beyond the evaluator's depth: rewritten as far as it reads, no deeper.
TEST(Schulschreibweise, DeepTextsStayAsTheyAre) {
  std::u16string sinus;
  for (int i = 0; i < 100000; ++i) sinus += u"SIN ";
  for (const std::u16string& t : {std::u16string(300000, u'(') + u"X", std::u16string(300000, u'|') + u"X", sinus + u"X"})
    EXPECT_EQ(lesepruefung(schulschreibweise(t)).fehler, Lesefehler::zu_tief);
}

// What is said: the rewrite once, the reason with place and fix, nothing for blanks.
TEST(Termuebernahme, SaysWhatItRewroteAndWhatItCannotRead) {
  const Uebernahme u = termuebernehmen(u"f1", u"3X");
  EXPECT_EQ(utf8(u.term), "3*X");
  EXPECT_TRUE(u.lesbar);
  EXPECT_EQ(utf8(u.hinweis), "f1: 3X записано как 3*X");
  EXPECT_TRUE(u.meldung.empty());

  const Uebernahme f = termuebernehmen(u"f2", u"X+ABC");
  EXPECT_FALSE(f.lesbar);
  EXPECT_EQ(utf8(f.meldung), "f2, знак 3: неизвестное имя «ABC» — имена функций и констант см. в справке (F1)");
  EXPECT_EQ(utf8(termuebernehmen(u"f1", u"X=2").meldung), "f1, знак 2: знак «=» не имеет значения в записи функции");
  EXPECT_EQ(utf8(termuebernehmen(u"f1", u"X+").meldung), "f1, знак 2: после «+» не хватает числа, X или скобки");
  EXPECT_EQ(utf8(termuebernehmen(u"f1", u"X)").meldung),
            "f1, знак 2: лишняя закрывающая скобка «)» — возможно, не хватает открывающей?");
  EXPECT_EQ(utf8(termuebernehmen(u"f1", u"1E5").meldung),
            "f1, знак 2: у числа не бывает показателя через E — возможно, 1*10^5?");
  EXPECT_TRUE(termuebernehmen(u"f1", u"x+abc").hinweis.empty());  // capitals alone are not said
  // Between an operand and a name that is no function the operator is missing.
  EXPECT_EQ(utf8(lesemeldung(u"f1", u"3Y", lesepruefung(u"3Y"))),
            "f1, знак 2: между 3 и Y нет знака операции — возможно, 3*Y?");

  for (std::u16string_view leer : {u"", u"   "}) {
    const Uebernahme l = termuebernehmen(u"f3", leer);
    EXPECT_TRUE(l.lesbar && l.hinweis.empty() && l.meldung.empty() && l.term == leer);
  }
}

// The one table of functions: each computed function is found under its number
// and evaluated, the reserved names are not, and the school names are read.
TEST(Funktionstabelle, EveryFunctionUnderItsNumber) {
  for (std::size_t k = 0; k < std::size(funktionen); ++k) {
    const Funktion& f = funktionen[k];
    EXPECT_EQ(funktionsnummer(f.name), funktionsnummer_von(k)) << utf8(f.name);
    fktwert(std::u16string(f.name) + u"(1.5)", 0);
    EXPECT_EQ(fehlercode != term_unlesbar, f.ausgewertet) << utf8(f.name);
    EXPECT_EQ(lesepruefung(std::u16string(f.name) + u"(X)").gelesen(), f.ausgewertet) << utf8(f.name);
    if (!f.schulname.empty()) {
      EXPECT_EQ(utf8(schulschreibweise(std::u16string(f.schulname) + u" X")), utf8(std::u16string(f.name) + u"(X)"));
    }
  }
}

// The help's examples are what the rewrite does, and its list names every function.
TEST(Termhilfe, ExamplesAreTheRewriteAndEveryFunctionIsListed) {
  const auto teile = [](std::u16string_view t) {
    std::vector<std::u16string> v;
    for (std::size_t a = 0;;) {
      const std::size_t e = t.find(u", ", a);
      v.emplace_back(t.substr(a, e - a));
      if (e == std::u16string_view::npos) return v;
      a = e + 2;
    }
  };
  for (const auto& u : umschreibungen) {
    const auto getippt = teile(u[1]), geschrieben = teile(u[2]);
    ASSERT_EQ(getippt.size(), geschrieben.size()) << utf8(u[0]);
    for (std::size_t i = 0; i < getippt.size(); ++i) EXPECT_EQ(utf8(schulschreibweise(getippt[i])), utf8(geschrieben[i]));
  }
  const std::u16string h = termhilfe();
  for (const Funktion& f : funktionen) {
    const std::u16string zelle = u"<td>" + std::u16string(f.name) + u"</td>";
    EXPECT_EQ(h.find(zelle) != std::u16string::npos, f.ausgewertet) << utf8(f.name);
    if (!f.schulname.empty()) {
      EXPECT_NE(h.find(u"<td>" + std::u16string(f.schulname) + u"</td>"), std::u16string::npos);
    }
  }
}

}  // namespace
