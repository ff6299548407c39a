// Worksheet files on disk, for the window, the command line and the probe: read
// within the size limit from regular files only, written through dateischreiben
// and only when the written file opens again. Each returns the message to show
// on failure (naming the file and why), or empty.
#pragma once

#include <QString>
#include <optional>

#include "arbeitsblatt.h"

// The extension without its dot, and the dialogs' filter, "Набор функций (*.fpblatt)".
QString blattendungtext();
QString blattfilter();

// On success the texts are in capitals, as the edit fields make them.
QString blattladen(const QString& pfad, Steuerzustand& ziel, std::optional<Sicht>& sicht);
QString blattsichern(const QString& pfad, const Steuerzustand& zustand, const Sicht& sicht);
