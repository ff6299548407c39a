#include "steuerzustand.h"

Steuerzustand steuer;
