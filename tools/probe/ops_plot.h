// Shared by the probe operations that draw: the control state of a request.
#pragma once

#include "probe.h"

// Starts from the program's start state and applies a request as the window
// would before a draw: "state" overrides control states by their names (edit
// texts as strings, check boxes and menu items as booleans, "UpDown1" as a
// number), "width" and "height" give the paint box (default 830 x 597), "view"
// [xmin, xmax, ymin, ymax] the view window (default the standard view for that
// size); then funktionsliste is filled and P read as b_zeichnenClick does.
// Returns an error text for an unknown name or a wrong type, else empty.
std::string zeichenzustand(const json& anfrage);
