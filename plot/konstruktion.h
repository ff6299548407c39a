// Straight lines through points of the first term, drawn as terms m*X+b: tangent
// and normal at A, secant AB, tangents at the inflection points; and the markers
// of A and B with their values in Label11 and Label10.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "canvas.h"

// Values of the term at A and B of the last A and B block (0 where it fails).
extern double yA, yB;

// m*X followed by the intercept with its sign (nothing when it is 0); p and q
// decimals for slope and intercept.
std::u16string geradenterm(double m, double b, int p, int q);

// Disc 9 pixels across centred on (px, py), outlined black, filled with fuellung.
// Centres at the edge of the 32-bit range are held back so the corners still fit.
void markierung(Canvas& canvas, std::int32_t px, std::int32_t py, TColor fuellung);

void punktAblock(Canvas& canvas, std::u16string_view f);
void punktBblock(Canvas& canvas, std::u16string_view f);
void sekante(Canvas& canvas);
// y: the value of f at x, already computed.
void wendetangente(Canvas& canvas, std::u16string_view f, double x, double y);
