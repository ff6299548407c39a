// The plain recursive reader of terms, the reference for the evaluator's fast reader.
#pragma once

#include <string_view>

namespace referenz {

// Same contract as ::fktwert: sets ::fehlercode, reads ::P, ::Q and ::R.
double fktwert(std::u16string_view term, double x);
int funktionsnummer(std::u16string_view name);

}  // namespace referenz
