// Start state for the drawing tests: the rewrite table loaded, default
// controls, an empty term list, and a view and mapping of the size given.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "abbildung.h"
#include "fktint.h"
#include "plotpass.h"
#include "protokoll.h"
#include "steuerzustand.h"
#include "uableitung.h"
#include "zahltext.h"

inline void startzustand(int breite = 590, int hoehe = 597) {
  ersetzungslisteladen();  // as the window does before its first pass
  steuer = Steuerzustand{};
  listeloeschen();
  ergebnisliste.clear();
  pass = Passzustand{};
  P = 1;
  Q = 0;
  abbildung::xmin = -6, abbildung::xmax = 6, abbildung::ymin = -5, abbildung::ymax = 5;
  steuer.PaintBox1_width = breite;
  steuer.PaintBox1_height = hoehe;
  abbildung::abbildungeinrichten(breite, hoehe);
}

inline int anzahl(const std::vector<std::string>& log, const std::string& anfang) {
  return static_cast<int>(std::count_if(log.begin(), log.end(),
                                        [&](const std::string& z) { return z.rfind(anfang, 0) == 0; }));
}

inline bool enthaelt(const std::vector<std::string>& log, const std::string& zeile) {
  return std::find(log.begin(), log.end(), zeile) != log.end();
}
