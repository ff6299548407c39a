// The state kept when the program ends, and the short list of worksheets used
// last: both in the user's state folder, so that closing the window loses nothing.
#pragma once

#include <QString>
#include <QStringList>

#include "arbeitsblatt.h"

// $XDG_STATE_HOME/<program>, or ~/.local/state/<program> where the variable is
// unset or not an absolute path.
QString zustandsordner();
// The worksheet the program keeps at its end.
QString letzterstandpfad();

// Writes the state as a worksheet over the kept one, through the worksheet
// save routine, so that a crash or a kill on the way leaves the previous one.
// Returns the message of a failure, or empty.
QString zustandbehalten(const Steuerzustand& zustand, const Sicht& sicht);

// The recent worksheets, newest first, at most `zuletztzahl`.
inline constexpr int zuletztzahl = 5;
QStringList zuletztlesen();
// Puts `pfad` at the top of the list (once) and writes it; returns the new list.
QStringList zuletztvormerken(const QString& pfad);
