// Straight lines through points of the first term: tangent and normal at A,
// secant AB, tangents at the inflection points, each drawn as a term m*X+b (a
// vertical normal as a line of its own) with its slope from the derivative
// text d1 of the pass; and the markers of A and B with their values in Label11
// and Label10. A point where the term has no value is "не определена" in its
// label and gets no marker and no line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "canvas.h"

// Values of the term at A and B of the last A and B block (0 where it fails).
extern double yA, yB;

// Disc 9 pixels across centred on (px, py), outlined black, filled with fuellung.
// Centres at the edge of the 32-bit range are held back so the corners still fit.
void markierung(Canvas& canvas, std::int32_t px, std::int32_t py, TColor fuellung);

// Each drawn line appends its result line to zeilen, e.g.
// "Касательная в A (1,5; -1,13): Y = 3,75*X-6,75".
void punktAblock(Canvas& canvas, std::u16string_view f, std::vector<std::u16string>& zeilen);
void punktBblock(Canvas& canvas, std::u16string_view f);
void sekante(Canvas& canvas, std::vector<std::u16string>& zeilen);
// y: the value of f at x, already computed.
void wendetangente(Canvas& canvas, std::u16string_view f, double x, double y, std::vector<std::u16string>& zeilen);
