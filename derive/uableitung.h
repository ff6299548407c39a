// Symbolic differentiation: the derivative builder, its built-in text simplifier
// and the rewrite table that turns raw derivative texts into the texts the user sees.
// Term texts are upper-case 16-bit texts in the term language of the evaluator.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Raw first derivative with respect to X, the empty text when the term cannot be
// read or the derivative passes the bounds below. A sign is read as the evaluator
// reads it (see `vorzeichenvorpotenz`), so the derivative is that of the curve drawn.
std::u16string ableitung(std::u16string_view term);

// Bounds of one derivative: its text, and the work of forming it (characters of
// the term read by the parser, nodes made, characters printed). The second
// derivative of (X+1)*(X+2)*...*(X+25), 33 393 characters, is well inside them.
constexpr std::size_t maxableitungslaenge = 50000;
constexpr std::size_t maxableitungsarbeit = 5000000;
// Work counted by the last call of `ableitung`.
extern std::size_t ableitungsarbeit;
// Whether the last call of `ableitung` or `ableitungsterm` gave the empty text
// because the derivative would pass one of the bounds (not because the term
// cannot be read).
extern bool ableitungabgelehnt;

// The fixed search-and-edit rules applied to every piece of builder output.
std::u16string vereinfachen(std::u16string_view text);

// Applies the rewrite pairs of `ersetzungsliste` (two passes) to a derivative text.
std::u16string ersetzen(std::u16string_view text);

// The derivative as the user sees it: ersetzen(ableitung(term)), with its signs
// written so that the evaluator reads them as meant ("(0-A^2" for "(-A^2", no "+"
// right after "(" or an operator). The second derivative is
// ableitungsterm(ableitungsterm(term)).
std::u16string ableitungsterm(std::u16string_view term);

// A "-" that starts an operand belongs to the one factor after it for the evaluator,
// so a "^" after that factor raises the signed factor: 1+-X^2 is 1+(-X)^2. The
// evaluator itself writes a 0 before the sign at the start of the term and in
// "(-X^" (-X^2 is -(X^2)). One such sign outside those two places: the sign at
// `zeichen`, the "^" after its factor at `basisende`, and the end of that power
// (its exponent and any further "^") at `potenzende`.
struct vorzeichenbasis {
  std::size_t zeichen, basisende, potenzende;
};
// Every such sign in a term text without blanks, in the order of the text.
std::vector<vorzeichenbasis> vorzeichenvorpotenz(std::u16string_view text);

// Pattern, replacement, pattern, replacement, ... Empty until loaded. A pair with
// an empty pattern never fires.
extern std::vector<std::u16string> ersetzungsliste;

// Replaces the content of `ersetzungsliste` by the 910 strings of the built-in table.
// The window calls it when it is shown; tools and tests call it themselves.
void ersetzungslisteladen();
