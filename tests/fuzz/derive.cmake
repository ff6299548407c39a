fuzz_target(derive 2 derive termeval)
