// The help page on writing terms in a window of its own, from F1 and from the
// end of the menu "Система координат".
#pragma once

class TFGraf;

// Adds the menu item with its shortcut F1 to the main window.
void termhilfeanbringen(TFGraf& f);
// Shows the help window (one per main window), in front.
void termhilfezeigen(TFGraf& f);
