// Arbitrary texts through the derivative builder, the simplifier and the rewrite
// step, and the derivative applied twice as the plot pass does.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fktint.h"
#include "uableitung.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  static const bool geladen = (ersetzungslisteladen(), true);
  (void)geladen;
  std::u16string text(groesse / 2, u'\0');
  std::memcpy(text.data(), daten, text.size() * 2);

  ableitung(text);
  vereinfachen(text);
  ersetzen(text);
  const std::u16string d1 = ableitungsterm(text);
  const std::u16string d2 = ableitungsterm(d1);
  // What the builder writes must be a term the evaluator reads.
  fktwert(d1, 0.5);
  fktwert(d2, 0.5);
  return 0;
}
