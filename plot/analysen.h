// The analyses of the first term, at the two places of the plot pass where they run.
#pragma once

#include <string>

class Canvas;

// Derivative texts d1, d2 and their result lines, and the area between A and B.
// Runs right after the pass has appended the first term's line.
void ersterterm_vorab(Canvas& canvas, const std::u16string& term);
// Searches, markers, extra curves, construction lines and the value table.
void ersterterm_analysen(Canvas& canvas, const std::u16string& term);
