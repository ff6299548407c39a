// The plot pass: the list of terms to draw, the state of one pass, the result
// list, the coordinate system and the redraw into an offscreen bitmap.
#pragma once

#include <cstdint>
#include <functional>
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

// b_zeichnenClick without its repaint: the ticked, non-empty term fields in the
// order f1..f4, and P from a non-empty ed_parameter.
void funktionslistefuellen();

// Result lines of the last pass.
extern std::vector<std::u16string> ergebnisliste;

// State of one pass, set by zeichnen (farbig by neuzeichnen).
extern int kurvennr;      // curves drawn so far; colour index of the next one
extern bool termanzeige;  // write curve labels
extern bool farbig;       // colour table, else black
extern double xvon, xbis; // domain of the curves
extern TColor stiftfarbe; // colour of the current curve, for single pixels
extern double A, B;       // the points A and B
extern int textzeile;     // summary lines written at the bottom of the drawing
extern std::u16string punkttext;
extern std::u16string d1, d2;  // derivative texts of the first term

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

// Work of the running or the last pass so far, in the budget's measure.
std::uint64_t passarbeit();
// True once the pass has spent its budget; the first time, the pass stops.
bool budgetverbraucht();
// Whether a step of up to `auswertungen` evaluations of term still fits, each
// costing what the dearest of a few samples over [von, bis] costs, counted
// with the samples; if not, the pass stops here.
bool budgetreicht(std::u16string_view term, double auswertungen, double von, double bis);

// Axes, ticks, labels and grids for the current mapping.
void koordinatensystem(Canvas& canvas);

// The plot pass on a canvas whose mapping is set and coordinate system drawn.
void zeichnen(Canvas& canvas);

// Redraw: mapping for steuer.PaintBox1_width x PaintBox1_height, coordinate
// system and pass into an offscreen bitmap, one copy onto ziel.
void neuzeichnen(Canvas& ziel);

// neuzeichnen, then, when the memo is visible, memofuellen, which gives it the
// lines of ergebnisliste.
void PaintBox1Paint(Canvas& ziel, const std::function<void()>& memofuellen = {});
