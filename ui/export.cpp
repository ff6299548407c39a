// Picture export from the menu "Графика": copy, print and save. Filled in by
// the export unit; the menu items are connected already.
#include "graf_rus.h"

void TFGraf::alsWMFkopieren1Click() {}

void TFGraf::GrafikdruckenClick() {}

void TFGraf::Speichern1Click() {}
