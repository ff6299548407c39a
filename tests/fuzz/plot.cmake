# One plot pass on a random control state, onto an offscreen image.
fuzz_target(plot 2 grafikstart plotqt plot derive termeval steuerzustand)
