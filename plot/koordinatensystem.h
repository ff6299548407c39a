// The coordinate system of the drawing.
#pragma once

#include "canvas.h"

// Axes, ticks, labels and grids for the current mapping.
void koordinatensystem(Canvas& canvas);
