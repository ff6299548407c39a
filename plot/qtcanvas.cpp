#include "qtcanvas.h"
