// The help page on writing terms, in Russian, as simple HTML: the variable,
// parameters and constants, numbers, operators and their order, every function
// of the one table with its school name, and what is rewritten on the way in.
#pragma once

#include <string>
#include <string_view>

// The rewrites of school notation as the help lists them: what, examples as
// typed, and the same examples as written (each list separated by ", ").
inline constexpr std::u16string_view umschreibungen[][3] = {
    {u"знак умножения между числом, X, константой, скобкой и функцией", u"3X, 2(X+1), (X+1)(X-1), 2PI", u"3*X, 2*(X+1), (X+1)*(X-1), 2*PI"},
    {u"степени верхними индексами", u"X², X³, X⁻¹", u"X^2, X^3, X^(-1)"},
    {u"знаки · × ÷ : √ π", u"2·X, 3×X÷2, √X, 2π", u"2*X, 3*X/2, SQRT(X), 2*PI"},
    {u"отдельно стоящая буква e — число e", u"X*E^(-X)", u"X*É^(-X)"},
    {u"русские школьные имена функций", u"TG X, CTG X, ARCTG X, ARCCTG X, SH X, CH X, TH X",
     u"TAN(X), COT(X), ARCTAN(X), ARCCOT(X), SINH(X), COSH(X), TANH(X)"},
    {u"аргумент функции без скобок: числа, имена и степени до следующего +, −, * или /",
     u"SIN X, SINX, SIN2X, COS X^2, LN X/X", u"SIN(X), SIN(X), SIN(2*X), COS(X^2), LN(X)/X"},
    {u"степень функции перед аргументом", u"SIN^2 X", u"SIN(X)^2"},
    {u"русские буквы, похожие на латинские (Х, Р, А, В, С, Е, Н, К, М, О, Т)", u"х^2", u"X^2"},
    {u"модуль и отрицательный показатель — в виде, который понимает и построение производной",
     u"|X-1|, X^-1, 2^-X", u"ABS(X-1), X^(-1), 2^(-X)"},
    {u"скобка, не закрытая в конце", u"SIN(X", u"SIN(X)"},
};

std::u16string termhilfe();
