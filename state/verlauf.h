// The history behind undo and redo: the states a user set one after another,
// each the whole control state with its view. Plain data, no window.
#pragma once

#include <cstddef>
#include <deque>

#include "arbeitsblatt.h"
#include "steuerzustand.h"

// One state of the history. The drawing's size travels in `steuer`
// (PaintBox1_width, PaintBox1_height) because the view belongs to it.
struct Stand {
  Steuerzustand steuer;
  Sicht sicht;
};

// True when the two agree in every control of the control-state table;
// outputs and sizes are not compared.
bool gleichesteuerung(const Steuerzustand& a, const Steuerzustand& b);

class Verlauf {
 public:
  // Steps that can always be taken back, and the bound on the bytes of text
  // the history holds; only states with huge pasted terms ever reach it, and
  // then the oldest steps go first.
  static constexpr std::size_t schritte = 100;
  static constexpr std::size_t textgrenze = std::size_t(64) << 20;

  // How a recorded state joins the history: as a step of its own, or as a
  // step that the next `fortsetzbar` state continues (a point following the
  // pointer) until `abschliessen` or any other step ends it.
  enum class Art { einzeln, fortsetzbar };

  // Takes `s` as the state now shown. The first state is the start of the
  // history. A state whose controls and view equal the current one adds
  // nothing; one that differs only in view and drawing size (the window was
  // resized) corrects the current step instead of adding one. Otherwise the
  // steps that could be redone are dropped and `s` becomes the newest step.
  // True when a step was added or continued.
  bool merken(const Stand& s, Art art = Art::einzeln);
  void abschliessen() { offen = false; }

  // The state one step back or forward, which is then the current one; null
  // when there is none.
  const Stand* zurueck();
  const Stand* vor();
  bool kannzurueck() const { return jetzt > 0; }
  bool kannvor() const { return jetzt + 1 < staende.size(); }
  // The current state, or null before the first.
  const Stand* aktuell() const { return staende.empty() ? nullptr : &staende[jetzt]; }

 private:
  void kuerzen();

  std::deque<Stand> staende;
  std::size_t jetzt = 0;  // index of the current state
  std::size_t textbytes = 0;
  bool offen = false;     // the newest step may still be continued
};
