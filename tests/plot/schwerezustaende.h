// Helpers for the heaviest states of a pass, shared by the tests and the benchmarks.
#pragma once

#include <string>
#include <string_view>

#include "steuerzustand.h"

// Every analysis, extra curve and construction line on, f2 ticked.
inline void allesan() {
  for (bool Steuerzustand::*s :
       {&Steuerzustand::c_1ableitung, &Steuerzustand::c_2ableitung, &Steuerzustand::c_nullstellen,
        &Steuerzustand::c_extrema, &Steuerzustand::c_wendepunkte, &Steuerzustand::c_wendetangente,
        &Steuerzustand::c_stammfunktion, &Steuerzustand::c_schnittpunkte, &Steuerzustand::c_pktanzeige,
        &Steuerzustand::c_schar, &Steuerzustand::c_punktA, &Steuerzustand::c_punktB, &Steuerzustand::c_tangente,
        &Steuerzustand::c_normale, &Steuerzustand::c_sekante, &Steuerzustand::c_integral,
        &Steuerzustand::c_wertetabelle, &Steuerzustand::Mergebnis_visible, &Steuerzustand::c_f2,
        &Steuerzustand::spiegelungxachse, &Steuerzustand::spiegelungyachse, &Steuerzustand::spiegelungursprung,
        &Steuerzustand::nacheinanderausfuehrung, &Steuerzustand::verschiebungxachse,
        &Steuerzustand::streckungxachse, &Steuerzustand::verschiebungyachse, &Steuerzustand::streckungyachse,
        &Steuerzustand::funktionsaddition, &Steuerzustand::funktionssubtraktion1,
        &Steuerzustand::funktionsmultiplikation, &Steuerzustand::funktionsdivision1,
        &Steuerzustand::Umkehrkurvezuf1x1})
    steuer.*s = true;
}

// A sum of copies of `glied` about `laenge` characters long.
inline std::u16string summe(std::u16string_view glied, std::size_t laenge) {
  std::u16string t(glied);
  while (t.size() + glied.size() + 1 <= laenge) (t += u"+") += glied;
  return t;
}
