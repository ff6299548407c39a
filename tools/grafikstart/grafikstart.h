// For programs that draw without a window (tests, the probe, benchmarks): the
// application object the font system needs. The product never calls it; the
// window program makes its own application.
#pragma once

// Creates the application object when none exists yet, on the offscreen platform
// unless QT_QPA_PLATFORM says otherwise, and pins the font substitutions. Safe to
// call many times.
void grafikstarten();
