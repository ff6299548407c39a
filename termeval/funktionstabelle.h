// The functions of the term language, in the one place they are listed: the
// name the evaluator reads, the name Russian school books use where it differs,
// and what the function is, for the help. A function's number is the 1-based
// position of its name in the names joined by blanks (`funktionsnamen`), which
// the evaluator's name lookup searches.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

struct Funktion {
  std::u16string_view name;
  std::u16string_view schulname;  // empty where school books write `name`
  std::u16string_view bedeutung;  // in Russian
  bool ausgewertet = true;        // false: a reserved name, read as not readable
};

inline constexpr Funktion funktionen[] = {
    {u"SQR", u"", u"квадрат: SQR(X) = X^2"},
    {u"SQRT", u"", u"квадратный корень, √"},
    {u"EXP", u"", u"экспонента: EXP(X) = É^X"},
    {u"LN", u"", u"натуральный логарифм"},
    {u"ABS", u"", u"модуль: ABS(X-1) = |X-1|"},
    {u"SI", u"", u"интегральный синус (для X от 0 до 50)"},
    {u"SIN", u"", u"синус"},
    {u"COS", u"", u"косинус"},
    {u"TAN", u"TG", u"тангенс"},
    {u"ARCCOS", u"", u"арккосинус"},
    {u"LG", u"", u"десятичный логарифм"},
    {u"ARCTAN", u"ARCTG", u"арктангенс"},
    {u"SINH", u"SH", u"гиперболический синус"},
    {u"COSH", u"CH", u"гиперболический косинус"},
    {u"TANH", u"TH", u"гиперболический тангенс"},
    {u"INT", u"", u"целая часть (график с разрывами)"},
    {u"SGN", u"", u"знак числа"},
    {u"F1", u"", u"", false},
    {u"F2", u"", u"", false},
    {u"F3", u"", u"", false},
    {u"F4", u"", u"", false},
    {u"COT", u"CTG", u"котангенс"},
    {u"LD", u"", u"двоичный логарифм"},
    {u"ARCSIN", u"", u"арксинус"},
    {u"ARSINH", u"", u"обратный гиперболический синус"},
    {u"ARCOSH", u"", u"обратный гиперболический косинус"},
    {u"ARTANH", u"", u"обратный гиперболический тангенс"},
    {u"SEC", u"", u"секанс: 1/COS(X)"},
    {u"GAMMA", u"", u"гамма-функция"},
    {u"GAUSS", u"", u"плотность нормального распределения"},
    {u"DIGAMMA", u"", u"дигамма-функция"},
    {u"CSC", u"", u"косеканс: 1/SIN(X)"},
    {u"FRAC", u"", u"дробная часть"},
    {u"HEAVISIDE", u"", u"функция Хевисайда (ступенька)"},
    {u"ARCCOT", u"ARCCTG", u"арккотангенс"},
    {u"ARCSEC", u"", u"арксеканс"},
};

// The number of the i-th function: the position of its name in the joined names.
constexpr int funktionsnummer_von(std::size_t i) {
  int n = 1;
  for (std::size_t k = 0; k < i; ++k) n += static_cast<int>(funktionen[k].name.size()) + 1;
  return n;
}

// The names joined by blanks.
inline constexpr auto funktionsnamenstext = [] {
  constexpr std::size_t n = std::size(funktionen);
  std::array<char16_t, static_cast<std::size_t>(funktionsnummer_von(n)) - 2> text{};
  std::size_t i = 0;
  for (std::size_t k = 0; k < n; ++k) {
    if (k > 0) text[i++] = u' ';
    for (char16_t c : funktionen[k].name) text[i++] = c;
  }
  return text;
}();

// Whether the function of this number is computed (and not a reserved name or
// a position inside a name).
constexpr bool ausgewertete_nummer(int nummer) {
  for (std::size_t k = 0; k < std::size(funktionen); ++k)
    if (funktionsnummer_von(k) == nummer) return funktionen[k].ausgewertet;
  return false;
}
