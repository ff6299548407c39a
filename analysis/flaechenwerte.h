// Definite integral and area between two terms from A to B.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Values of the last flaechenwerte with A != B: signed integral of f - g and
// area between f and g, both from the smaller to the larger of A and B.
extern double integralwert;
extern double flaechenwert;

// Five-node equal-weight quadrature over 50 panels. Writes Label13 and Label15 of
// steuer and appends four lines to ergebnis; does nothing when A = B.
// g is "0" for the area under f.
void flaechenwerte(std::u16string_view f, std::u16string_view g, double a, double b,
                   std::vector<std::u16string>& ergebnis);
