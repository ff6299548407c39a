#include "wertetabelle.h"

#include "ergebniswerte.h"
#include "steuerzustand.h"
#include "zahltext.h"

void wertetabelle(std::u16string_view term, std::u16string_view d1, std::vector<std::u16string>& ergebnis) {
  ergebnis.push_back(u"");
  ergebnis.push_back(u"Таблица значений");
  ergebnis.push_back(u"x\tf(x)\tf'(x)");
  double schritt = editwert(steuer.ed_delta);
  double x = editwert(steuer.ed_von);
  const double ende = editwert(steuer.ed_bis);
  if (!(schritt > 0)) schritt = 0.05;
  for (int zeilen = 1;; ++zeilen) {
    const double y = wertodernull(term, x);
    const double s = wertodernull(d1, x);
    ergebnis.push_back(z(x) + u"\t" + z(y) + u"\t" + z(s));
    const double letztes = x;
    x += schritt;
    if (x > ende) return;
    if (zeilen == tabellenhoechstzahl) {
      ergebnis.push_back(u"Таблица значений прервана на x = " + z(letztes) +
                         u": достигнут предел числа строк (" + zahltext(1, 0, tabellenhoechstzahl) + u")");
      return;
    }
  }
}
