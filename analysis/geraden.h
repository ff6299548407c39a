// Straight lines through points of a curve: the slope at a point and the term
// text y = m*X+b that the pupil reads and the plot draws.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Slope of term at x: the first derivative text d1 read at x, where d1 is given
// and has a value there; otherwise a central difference quotient of term with a
// step near the cube root of the machine precision (relative to |x|, at least
// that absolute), where both values exist. Nothing where neither works.
std::optional<double> steigung(std::u16string_view term, std::u16string_view d1, double x);

// The line m*X+b as a term, m with p decimals and b with q, written as the
// rounded numbers read: a slope that rounds to 1 or -1 is "X" or "-X", one that
// rounds to 0 leaves only the intercept, an intercept that rounds to 0 is left
// out ("0,5*X", "X+1", "3,75*X-6,75", "2"; the x axis itself is "0").
std::u16string geradenterm(double m, double b, int p, int q);

// A line through a point of the curve: a term m*X+b to draw, or the vertical
// line through x.
struct Gerade {
  bool senkrecht = false;
  double x = 0;         // of the vertical line
  std::u16string term;  // of any other line, as geradenterm writes it
  // "Y = " + term, or "X = " and x with 3 decimals.
  std::u16string gleichung() const;
};

// Tangent of term at (x, y), slope with p decimals and intercept with q; nothing
// where no slope can be had.
std::optional<Gerade> tangente(std::u16string_view term, std::u16string_view d1, double x, double y, int p, int q);
// Normal of term at (x, y), 3 decimals each. A horizontal tangent (a slope whose
// inverse passes the evaluator's limit of 10^10) has the vertical normal at x.
std::optional<Gerade> normale(std::u16string_view term, std::u16string_view d1, double x, double y);
// Secant through (xa, ya) and (xb, yb), xa != xb: slope with 4 decimals, intercept with 3.
Gerade sekantengerade(double xa, double ya, double xb, double yb);
