// Undo and redo for the main window: after every change the user sees (a
// repaint of the drawing, a click on a control, the end of a mouse gesture)
// the control state and the view are compared with the history's current
// state and recorded when they differ. Gestures that repaint on every move
// (dragging a point, a zoom rectangle, a dragged picture, an animation run)
// become one step when they end; A following the pointer with Shift is one
// step per run.
#pragma once

#include <QObject>

#include "verlauf.h"

class QAction;
class TFGraf;

class Verlaufsfuehrung : public QObject {
  Q_OBJECT

 public:
  // Adds the two items at the end of the menu "Графика" and watches `fenster`.
  explicit Verlaufsfuehrung(TFGraf* fenster);

  QAction* rueckgaengig;
  QAction* wiederholen;

  // Records the state now shown unless a gesture is under way.
  void merken();
  // One step back or forward; a running animation stops first and is a step.
  void zurueck();
  void vor();

  const Verlauf& verlauf() const { return schritte; }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  // Records after the event being handled, once however many events ask.
  void vormerken();
  void anwenden(const Stand* s);
  void menuestand();
  void folgenbeenden();
  bool gesteunterwegs() const;
  bool feldbearbeitet(QObject* o) const;

  TFGraf* f;
  Verlauf schritte;
  bool gestartet = false;  // the window has been activated once
  bool vorgemerkt = false;
  bool folgt = false;      // A follows the pointer (Shift held)
  bool wendetan = false;   // a step of the history is being shown
};
