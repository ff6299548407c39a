// Numbers to display texts and edit-field texts to numbers.
#pragma once

#include <string>
#include <string_view>

// Fixed decimals, no trailing zeros, decimal comma; right-aligned in `breite`.
std::u16string zahltext(int breite, int dezimalen, double x);

// The field's text evaluated as a term at X = 1; 0 on any status. The status
// stays in `fehlercode` for the caller.
double editwert(std::u16string_view feldtext);
