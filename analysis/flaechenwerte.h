// Definite integral and area between two terms from A to B.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "integrierbarkeit.h"

// Values of the last flaechenwerte with A != B: signed integral of f - g and
// area between f and g, both from the smaller to the larger of A and B; not a
// number when no value was shown.
extern double integralwert;
extern double flaechenwert;

// Evaluations of f - g that flaechenwerte makes at most: the existence check,
// the search for sign changes and the quadrature, which gives up past its share.
inline constexpr double flaechenbedarf = pruefbedarf + 44000;

// Writes Label13 and Label15 of steuer and appends to ergebnis; does nothing when
// A = B. g is "0" for the area under f. Where f - g is defined and bounded
// enough on [A, B] for the integral to exist, adaptive quadrature (Gauss-Kronrod,
// tanh-sinh next to an integrable singularity) with the area split at the sign
// changes; the numbers are shown when their error estimate leaves the two shown
// decimals right, as four lines. Otherwise one line says why there is no number
// and the labels show a dash. Returns whether the integral exists (it does for A = B).
bool flaechenwerte(std::u16string_view f, std::u16string_view g, double a, double b,
                   std::vector<std::u16string>& ergebnis);
