#include "plotpass.h"
void koordinatensystem(Canvas&) {}
