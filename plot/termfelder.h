// The terms taken from the fields f1..f4: school notation rewritten into the
// term language (the fields then hold the rewritten term), and what is said
// about them: a term that does not read completely is not drawn, and its
// message heads the result list.
#pragma once

#include <array>
#include <string>
#include <vector>

struct Termfelder {
  std::array<bool, 4> lesbar{true, true, true, true};  // f1..f4; false: not drawn
  std::array<std::u16string, 4> meldung;  // why a field does not read, or empty
  std::vector<std::u16string> hinweise;   // rewrites, said once by the next pass
};

// The state of the fields after the last taking.
extern Termfelder termfelder;

// Takes the ticked, non-empty term fields of `steuer`: rewrites their texts in
// place and sets `termfelder`.
void termfelderuebernehmen();

// The lines that head the result list of a pass: the messages of the fields that
// do not read, then the rewrites not yet said (which are said only once).
std::vector<std::u16string> termfeldzeilen();
