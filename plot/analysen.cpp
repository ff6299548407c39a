#include "analysen.h"

void ersterterm_vorab(Canvas&) {}
void ersterterm_analysen(Canvas&) {}
