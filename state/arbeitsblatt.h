// The worksheet file: everything a user sets (the controls of the control-state
// table and the view window) as one UTF-8 JSON document; see docs/arbeitsblatt.md.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "steuerzustand.h"

inline constexpr std::string_view blattformat = "funktionsplotter-blatt";
inline constexpr int blatthauptversion = 1;
inline constexpr std::string_view blattversion = "1.0";
inline constexpr std::size_t blatthoechstgroesse = 1 << 20;
inline constexpr std::string_view blattendung = "fpblatt";
inline constexpr std::string_view blatttyp = "application/x-funktionsplotter-blatt";

struct Sicht {
  double xmin, xmax, ymin, ymax;
};

// Finite, with xmin < xmax and ymin < ymax and widths that doubles can hold.
bool brauchbar(const Sicht& s);

// The document for the controls of `zustand` and the view; a view that is not
// brauchbar is left out, which reads back as the standard view.
std::string blattschreiben(const Steuerzustand& zustand, const Sicht& sicht);

// Reads a document over `ziel`: every control of the table takes the file's
// value or its default, everything else in `ziel` (outputs, sizes) stays.
// `sicht` is the file's view, or empty for the standard view. On a refusal the
// answer is a Russian message naming `dateiname` (UTF-8) and, where there is
// one, the key; `ziel` and `sicht` are untouched then. Empty on success.
std::string blattlesen(std::string_view text, std::string_view dateiname, Steuerzustand& ziel,
                       std::optional<Sicht>& sicht);
