// The plot pass: the list of terms filled from the controls, the pass over it
// and the redraw into an offscreen bitmap. Its state lives in passzustand.h.
#pragma once

#include <functional>

#include "canvas.h"
#include "koordinatensystem.h"
#include "passzustand.h"

// b_zeichnenClick without its repaint: the ticked, non-empty term fields in the
// order f1..f4, and P from a non-empty ed_parameter.
void funktionslistefuellen();

// The plot pass on a canvas whose mapping is set and coordinate system drawn.
void zeichnen(Canvas& canvas);

// Redraw: mapping for steuer.PaintBox1_width x PaintBox1_height, coordinate
// system and pass into an offscreen bitmap, one copy onto ziel.
void neuzeichnen(Canvas& ziel);

// neuzeichnen, then, when the memo is visible, memofuellen, which gives it the
// lines of ergebnisliste.
void PaintBox1Paint(Canvas& ziel, const std::function<void()>& memofuellen = {});
