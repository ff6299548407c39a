// School notation in, term language out: a term as pupils write it in their
// exercise books (3X, SIN X, X², TG X, |X-1|, Cyrillic look-alikes) is written
// as the term the evaluator and the derivative builder read. One home for every
// place that takes a term from the user: the window, worksheets, the command line.
#pragma once

#include <string>
#include <string_view>

#include "lesepruefung.h"

// The Latin letter of the term language that a Cyrillic letter looks like
// (capital or small), or the character itself.
char16_t lateinischer_doppelgaenger(char16_t c);

// The rewritten term. A text that already reads completely keeps its form but
// for what the derivative builder does not read (|X-1|, X^-1, the middle dot);
// any other text is rewritten where school notation is unambiguous. The result
// may still not read; lesepruefung says where.
std::u16string schulschreibweise(std::u16string_view eingabe);

// A term taken from a field: the term to use, and what to say about it.
struct Uebernahme {
  std::u16string term;     // the rewritten text, for the field and for drawing
  bool lesbar = true;      // draw it; false: the term does not read completely
  std::u16string hinweis;  // "f1: 3X записано как 3*X", or empty
  std::u16string meldung;  // why it does not read, with place and likely fix, or empty
  Lesebefund befund;
};

// `feld` names the field in the messages ("f1"). An empty text, or one of blanks
// only, is no term: it stays as it is, and nothing is said about it.
Uebernahme termuebernehmen(std::u16string_view feld, std::u16string_view text);

// The message for a text that does not read, as the user sees it:
// "f1, знак 2: между 3 и X нет знака операции — возможно, 3*X?".
std::u16string lesemeldung(std::u16string_view feld, std::u16string_view text, const Lesebefund& befund);
