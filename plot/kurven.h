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

// The vertical line through x over the height of the drawing, like a curve: in
// the next curve colour, inside the domain only, with its label.
void senkrechtekurve(Canvas& canvas, double x, std::u16string_view label);

// The curves sonderkurve derives from a term, named after the item that asks
// for each.
enum class Sondermodus {
  ersteableitung = 1,           // first difference quotient
  zweiteableitung = 2,          // second difference quotient
  spiegelungxachse = 3,         // f(-x)
  spiegelungyachse = 4,         // -f(x)
  spiegelungursprung = 5,       // -f(-x)
  nacheinanderausfuehrung = 6,  // f(f(x))
  verschiebungxachse = 7,       // f(x+P)
  streckungxachse = 8,          // f(x*P)
  verschiebungyachse = 9,       // f(x)+P
  streckungyachse = 10,         // f(x)*P
};

void sonderkurve(Canvas& canvas, std::u16string_view term, std::u16string_view caption, Sondermodus mode);

// The reflection of the graph at y = x, one sample per pixel row; the caller
// chooses the colour first.
void umkehrkurve(Canvas& canvas, std::u16string_view term);

// The family of term over P from the current P up to ed_q in steps of ed_schardiff.
// A family cut at its bound appends one result line that says so and at which P.
void kurvenschar(Canvas& canvas, std::u16string_view term);

// Most members a family draws, so that a huge range cannot stall the program;
// P from 0 to 1000 in the smallest step still fits.
inline constexpr int scharhoechstzahl = 10000;
