// Numbers as the result lines write them, and the values that the value table
// and the points A and B show.
#pragma once

#include <string>
#include <string_view>

// A number in a result line: at least one character, two decimals at most.
std::u16string z(double v);

// The value of term at x, or 0 when the evaluation fails.
double wertodernull(std::u16string_view term, double x);
