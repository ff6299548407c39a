// What the window shows of the terms taken from f1..f4: the fields hold the
// rewritten terms, a field that does not read gets a red frame and its message
// as tool tip, and the first thing to say appears beside its field and stays in
// a line under the fields until the next taking.
#pragma once

class TFGraf;

void termfelderzeigen(TFGraf& f);
