// The number of term evaluations a test program has made. Programs that count
// are linked through auswertungenzaehlen() in tests/CMakeLists.txt, which routes
// every call of fktwert from another unit through a counter.
#pragma once

extern long long auswertungen;
