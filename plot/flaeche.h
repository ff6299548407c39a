// The shaded area between two terms from B towards A, and the antiderivative curve.
#pragma once

#include <cstdint>
#include <string_view>

#include "canvas.h"

// Comb of vertical lines two pixels apart from the graph of f to that of g,
// starting one column right of B and ending at A or the edge of the drawing.
void schraffur(Canvas& canvas, std::u16string_view f, std::u16string_view g);

// Row of a shading line: truncated towards 0, negative (or not a number) as -1,
// and held to the 32-bit range.
std::int32_t schraffurzeile(double zeile);

// Running sum of term over the pixel columns, 0 at x = 0, and its label. The
// caller chooses the colour first.
void stammkurve(Canvas& canvas, std::u16string_view term);
