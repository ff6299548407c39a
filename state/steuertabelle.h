// Every control state a user sets, under the control's name: one table for the
// worksheet file, the command line and the probe.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

#include <nlohmann/json_fwd.hpp>

#include "steuerzustand.h"

using Textfeld = std::u16string Steuerzustand::*;
using Schalter = bool Steuerzustand::*;
using Zahlfeld = int Steuerzustand::*;

// The order of the alternatives is that of `Steuerart`.
enum class Steuerart { text, schalter, zahl };

struct Steuerelement {
  std::string_view name;
  std::variant<Textfeld, Schalter, Zahlfeld> feld;
  // Only for numbers: the range, and the edit field that shows the position.
  int kleinst = 0, groesst = 0;
  Textfeld anzeige = nullptr;
};

// Edit fields, the spinner before the field it writes, check boxes, radio
// buttons, menu check marks, and whether the result memo is shown.
std::span<const Steuerelement> steuerelemente();
// The control of that name, or null.
const Steuerelement* steuerelement(std::string_view name);

inline Steuerart art(const Steuerelement& e) { return static_cast<Steuerart>(e.feld.index()); }

// A number clamped into the control's range and shown in its field, as the spinner does.
void zahlsetzen(Steuerzustand& z, const Steuerelement& e, std::int64_t wert);

// The position of the first control character in a text (C0 and C1 controls,
// DEL, line and paragraph separators), or npos. A field's text is one line:
// such a character would break every listing of it into false lines.
std::size_t steuerzeichen(std::u16string_view text);

// The pen width has two controls; after a state was set by names they agree:
// a whole number in the field sets the spinner's position (as typing it does,
// clamped to the range), and the field then shows that position.
void breiteabgleichen(Steuerzustand& z);

// Sets the control from a JSON value of its kind: a string without control
// characters, a boolean, an integer. False, and nothing set, when the value
// is of another type.
bool jsonwertsetzen(Steuerzustand& z, const Steuerelement& e, const nlohmann::json& wert);

// The one radio button that stays selected when a state names none or several:
// the first of A, B, parameter, as the animation asks them; none gives the parameter.
void radioeindeutig(Steuerzustand& z);
