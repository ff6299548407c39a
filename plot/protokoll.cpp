#include "protokoll.h"
