// The state of the plot pass, below the units that read it: the list of terms
// to draw, the pass variables, the result list and the work budget.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "canvas.h"

// The terms to draw, in order, with a read cursor; termanhaengen also moves the
// cursor, so a reader starts with listeanfang.
void listeloeschen();
void termanhaengen(const std::u16string& text);
void listeanfang();
bool listeende();
std::u16string naechsterterm();

// Result lines of the last pass.
extern std::vector<std::u16string> ergebnisliste;

// State of one pass, set by zeichnen (farbig by neuzeichnen); a pass and a
// test start from the defaults with one assignment.
struct Passzustand {
  int kurvennr = 0;                   // curves drawn so far; colour index of the next one
  bool termanzeige = true;            // write curve labels
  bool farbig = true;                 // colour table, else black
  double xvon = -1000, xbis = 1000;   // domain of the curves
  TColor stiftfarbe = 0x000000;       // colour of the current curve, for single pixels
  double A = 1, B = 0;                // the points A and B
  int textzeile = 0;                  // summary lines written at the bottom of the drawing
  std::u16string punkttext;
  std::u16string d1, d2;              // derivative texts of the first term
};
extern Passzustand pass;

// The work of one pass is bounded, so that no term, however long, freezes the
// window: counted in characters read by the evaluator (gelesenezeichen), about
// a third of a second of evaluation on a school computer, several times what
// the heaviest ordinary state needs. Once a step would pass the bound, it and
// every later curve and analysis are left out, and one result line says so;
// the count depends only on the state, so a state always stops at the same place.
inline constexpr std::uint64_t passbudget = 100'000'000;
inline constexpr std::u16string_view passabbruchzeile =
    u"Расчёт прерван: слишком много вычислений, остальные кривые и анализы не построены";

// Drawing counts too, in the same measure (a unit is about 3 ns): a segment
// of a pen wider than one pixel is stroked as a polygon, about 5 microseconds
// however wide, so that a family of wide curves stops like a long term does.
// A thin segment costs less than the evaluation that gave its point, which is
// counted already. Counted for every segment the curve and area loops draw.
inline constexpr std::uint64_t duennerstrich = 0, breiterstrich = 1500;
void strichzaehlen(const Canvas& canvas);

// Starts the count of a pass's work from the evaluator's count now.
void budgetbeginnen();
// Work of the running or the last pass so far, in the budget's measure.
std::uint64_t passarbeit();
// True once the pass has spent its budget; the first time, the pass stops.
bool budgetverbraucht();
// Whether a step of up to `auswertungen` evaluations of term still fits, each
// costing what the dearest of a few samples over [von, bis] costs, counted
// with the samples; if not, the pass stops here.
bool budgetreicht(std::u16string_view term, double auswertungen, double von, double bis);
