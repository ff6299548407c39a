// Graphs of terms, one sample per pixel column, and the curves derived from a
// term without forming a new term: numeric derivatives, transformations, the
// inverse and the family over P.
#pragma once

#include <string_view>

#include "canvas.h"

// Curve colour of a colour index: blue, red, green, fuchsia, navy, lime, black, then maroon.
TColor kurvenfarben(int index);

// Pen and font for the next curve; counts it in kurvennr.
void farbewaehlen(Canvas& canvas, int index);

// The graph of term and its label "Y = " + term.
void termkurve(Canvas& canvas, std::u16string_view term);

// Modes 1, 2: first and second difference quotient; 3 to 10: f(-x), -f(x),
// -f(-x), f(f(x)), f(x+P), f(x*P), f(x)+P, f(x)*P.
void sonderkurve(Canvas& canvas, std::u16string_view term, std::u16string_view caption, int mode);

// The reflection of the graph at y = x, one sample per pixel row; the caller
// chooses the colour first.
void umkehrkurve(Canvas& canvas, std::u16string_view term);

// The family of term over P from the current P up to ed_q in steps of ed_schardiff.
// A family cut at its bound appends one result line that says so and at which P.
void kurvenschar(Canvas& canvas, std::u16string_view term);

// Most members a family draws, so that a huge range cannot stall the program;
// P from 0 to 1000 in the smallest step still fits.
inline constexpr int scharhoechstzahl = 10000;
