// The analyses of the first term, at the two places of the plot pass where they run.
#pragma once

class Canvas;

// Derivative texts d1, d2 and their result lines, and the area between A and B.
void ersterterm_vorab(Canvas& canvas);
// Searches, markers, extra curves, construction lines and the value table.
void ersterterm_analysen(Canvas& canvas);
