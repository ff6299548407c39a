// The command line. Without --export and --list the window opens, with a
// worksheet FILE if one is named; with them the state (defaults, FILE, then each
// --set in order) is drawn without a window and without a display.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct Aufruf {
  enum Art { fenster, stapel, hilfe, version, fehler };
  Art art = fenster;
  std::string blatt;    // FILE, or empty
  std::string ausgabe;  // OUT, or empty
  int filterindex = 0;  // OUT's format as the save dialog numbers it
  int breite = 0, hoehe = 0;  // 0: the paint box's size for the state
  std::vector<std::pair<std::string, std::string>> setzen;  // checked NAME, VALUE
  bool liste = false;
  std::string meldung;  // what is wrong, for a usage error
};

// The arguments after the program name.
Aufruf aufruflesen(const std::vector<std::string>& argumente);

// Help, version, usage error or the batch run (which starts its own offscreen
// application); returns the exit status: 0, 1 when a file cannot be read or
// written, 2 for a usage error.
int befehlausfuehren(const Aufruf& aufruf);
