// The evaluator with the reader by rules, beside the fast reader while the two are compared.
#pragma once

#include <string_view>

double fktwert_regeln(std::u16string_view term, double x);
