// The analyses of the first term, at the two places of the plot pass where they run.
#pragma once

#include <string>

class Canvas;

// Derivative texts d1, d2 and their result lines, and the area between A and B.
// Runs right after the pass has appended the first term's line, and takes the
// term from it.
void ersterterm_vorab(Canvas& canvas);
// Searches, markers, extra curves, construction lines and the value table.
void ersterterm_analysen(Canvas& canvas);

// The first term of the running pass, as ersterterm_vorab found it.
extern std::u16string ersterterm;
