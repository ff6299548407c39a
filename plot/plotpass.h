// The plot pass: the list of terms to draw, the state of one pass, the result
// list, the coordinate system and the redraw into an offscreen bitmap.
#pragma once

#include <functional>
#include <string>
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
