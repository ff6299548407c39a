#include "termfelder.h"

#include "schulschreibweise.h"
#include "steuerzustand.h"

Termfelder termfelder;

void termfelderuebernehmen() {
  const std::pair<std::u16string*, bool> felder[] = {
      {&steuer.ed_f1, steuer.c_f1}, {&steuer.ed_f2, steuer.c_f2},
      {&steuer.ed_f3, steuer.c_f3}, {&steuer.ed_f4, steuer.c_f4}};
  // Rewrites not yet said stay until the next pass says them.
  termfelder.lesbar.fill(true);
  termfelder.meldung = {};
  for (std::size_t i = 0; i < std::size(felder); ++i) {
    const auto& [text, an] = felder[i];
    if (!an || text->empty()) continue;
    const std::u16string name = u"f" + std::u16string(1, static_cast<char16_t>(u'1' + i));
    Uebernahme u = termuebernehmen(name, *text);
    *text = std::move(u.term);
    termfelder.lesbar[i] = u.lesbar;
    termfelder.meldung[i] = std::move(u.meldung);
    if (!u.hinweis.empty()) termfelder.hinweise.push_back(std::move(u.hinweis));
  }
}

std::vector<std::u16string> termfeldzeilen() {
  std::vector<std::u16string> zeilen;
  for (const auto& m : termfelder.meldung)
    if (!m.empty()) zeilen.push_back(m);
  zeilen.insert(zeilen.end(), termfelder.hinweise.begin(), termfelder.hinweise.end());
  termfelder.hinweise.clear();
  return zeilen;
}
