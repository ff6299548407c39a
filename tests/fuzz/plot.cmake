# One plot pass on a random control state, onto an offscreen image.
fuzz_target(plot 2 plotqt plot derive termeval steuerzustand)
