// The value table of the first term: x, f(x) and f'(x) per row.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Most rows a table writes, so that a tiny step or a huge range cannot fill memory
// or stall a redraw; a step of 0,001 over a range of 100 still fits.
inline constexpr int tabellenhoechstzahl = 100001;

// Appends an empty line, the title, the header and the rows from ed_von to ed_bis
// in steps of ed_delta (0.05 when that is 0 or less). d1: derivative text of term.
// A table cut at the bound ends with one line that says so and at which x.
void wertetabelle(std::u16string_view term, std::u16string_view d1, std::vector<std::u16string>& ergebnis);
